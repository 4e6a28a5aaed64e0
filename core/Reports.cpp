#include "core/Reports.h"

namespace vornish {

std::vector<Message> LoadMessages(const DataFileLoad& load, std::wstring_view path, int notShown,
                                  const std::optional<std::wstring>& deferred) {
  std::vector<Message> messages;
  switch (load.status) {
    case DataFileLoad::Status::Unreadable:
      messages.push_back(DataFileReadFailedMessage(path, load.error.reason));
      break;
    case DataFileLoad::Status::NotDataFile:
      messages.push_back(DataFileNotRecognisedMessage(path));
      break;
    case DataFileLoad::Status::Damaged:
      messages.push_back(DataFileDamagedMessage(path));
      break;
    case DataFileLoad::Status::Overflow:
      messages.push_back(DataFileTooLargeMessage(path));
      break;
    case DataFileLoad::Status::Loaded:
    case DataFileLoad::Status::Missing:
      break;
  }
  if (notShown > 0) messages.push_back(ButtonsNotShownMessage(notShown));
  if (deferred) messages.push_back(Message{*deferred});
  return messages;
}

std::vector<Message> UnloadMessages(const UnloadReport& report, std::wstring_view path, bool endOfSession) {
  std::vector<Message> messages;
  const DataFileSave& saved = report.dataFile;
  if (!saved.keptCopy.empty()) messages.push_back(DataFileChangedMessage(path, saved.keptCopy));
  if (saved.failed()) {
    messages.push_back(endOfSession ? EndOfSessionSaveFailedMessage(path, saved.error.reason)
                                    : DataFileWriteFailedMessage(path, saved.error.reason));
  }
  if (!report.settingsFile.empty()) {
    messages.push_back(SettingsFileWriteFailedMessage(report.settingsFile, report.settingsFailure));
  }
  return messages;
}

std::vector<Message> RunSaveMessages(const DataFileSave& save, std::wstring_view path, bool tellFailure) {
  std::vector<Message> messages;
  if (!save.keptCopy.empty()) messages.push_back(DataFileChangedMessage(path, save.keptCopy));
  if (save.failed() && tellFailure) messages.push_back(DataFileRunSaveFailedMessage(path, save.error.reason));
  return messages;
}

std::wstring DeferredText(const std::vector<Message>& messages) {
  std::wstring text;
  for (const Message& message : messages) text += (text.empty() ? L"" : L"\r\n\r\n") + message.text;
  return text;
}

}  // namespace vornish
