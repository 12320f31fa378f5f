// What runs when the program must terminate abnormally. The runtime's default writes a demangled
// exception type to the console, which a windowed program does not have, and its demangler alone
// is a fifth of the executable: abort at once instead.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

} // namespace __gnu_cxx
