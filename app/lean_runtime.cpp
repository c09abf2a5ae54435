// The program never catches an exception: a failed allocation or an impossible length
// ends it, whichever way it is reported. With GCC's static C++ runtime, reporting them as
// exceptions brings in the exception classes with their own string code, and the default
// terminate handler a name demangler for a console this program does not have: together
// more than the program itself. These definitions take the place of the runtime's and end
// the program at once, as std::terminate would.
#include <cstdlib>

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
}  // namespace std
#endif
