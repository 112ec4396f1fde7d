// The runtime's handler for an exception nobody caught. The C++ library's
// default one prints the exception's demangled type, which drags a symbol
// demangler into every copy of the runtime; a package has no console to
// print to, so ending the process is all it can usefully do.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
