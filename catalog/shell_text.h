#pragma once
// The encodings of the files the shell keeps shortcuts in, brought to UTF-8.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Converts text in the system's ANSI code page to UTF-8. The program itself runs with UTF-8
// as its code page, but shortcut files were written in the system's legacy one (GetACP of
// a program without that manifest), which is what the Win32 caller converts from. Called
// only for text that is not plain ASCII.
using LegacyTextConverter = std::string (*)(std::string_view ansi);

// ANSI text as UTF-8: plain ASCII as it is, other text through convert, or kept as it is
// where there is no convert.
std::string AnsiText(std::string_view ansi, LegacyTextConverter convert);

// UTF-16LE code units (two bytes each) as UTF-8, up to the first NUL unit or the end; an
// unpaired surrogate becomes U+FFFD.
std::string Utf16LeText(const uint8_t* bytes, size_t units);
