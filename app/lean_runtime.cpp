// The program never catches an exception: where the C++ library would throw (memory
// exhausted, an impossible length) it ends at once instead, as an uncaught exception
// would. Built with GCC's static runtime and without exceptions, these definitions keep
// the library's exception classes, their unwinder and its string code out of a program
// that is smaller than all of them together.
#include <cstddef>
#include <cstdlib>

void* operator new(std::size_t size) {
  if (void* block = std::malloc(size ? size : 1)) return block;
  std::abort();
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}

#if defined(__GLIBCXX__)
// What the library's containers call where they would throw.
namespace std {
void __throw_bad_alloc() {
  std::abort();
}
void __throw_bad_array_new_length() {
  std::abort();
}
void __throw_length_error(const char*) {
  std::abort();
}
void __throw_logic_error(const char*) {
  std::abort();
}
void __throw_out_of_range(const char*) {
  std::abort();
}
void __throw_out_of_range_fmt(const char*, ...) {
  std::abort();
}
}  // namespace std
#endif
