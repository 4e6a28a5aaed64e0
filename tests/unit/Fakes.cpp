#include "Fakes.h"

#include <stdexcept>

#include "core/Utf8.h"

namespace vornish::testing {

std::string Cp932(std::string_view utf8) {
  std::string out;
  if (!Cp932Codec().AppendAnsi(FromUtf8(utf8), out)) throw std::runtime_error("no code page 932 form");
  return out;
}

}  // namespace vornish::testing
