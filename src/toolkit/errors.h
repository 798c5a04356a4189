// The exceptions of the toolkit. Anything a command does not catch ends the
// command and reaches the application's general error box with its message.
#pragma once

#include <stdexcept>
#include <string>

namespace tk {

struct Error : std::runtime_error {
  using std::runtime_error::runtime_error;
};
// A registry value of the wrong type, or a key that cannot be opened for writing.
struct RegistryError : Error {
  using Error::Error;
};
// A text that does not convert to the value it should hold.
struct ConvertError : Error {
  using Error::Error;
};
// A file that cannot be opened, read or written.
struct FileError : Error {
  using Error::Error;
};
// An operation that the component does not allow in its current state.
struct InvalidOperation : Error {
  using Error::Error;
};

}  // namespace tk
