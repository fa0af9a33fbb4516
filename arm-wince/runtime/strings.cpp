// The library's string classes, which its headers declare as instantiated
// in the compiled library (extern template), instantiated here once.

#include <string>

template class std::basic_string<char>;
template class std::basic_string<wchar_t>;
