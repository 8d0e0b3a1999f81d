#include "sets/SetText.h"
#include <windows.h>
#include "framework/CodePageText.h"

namespace {
std::wstring Widen(UINT codePage, DWORD flags, const std::string& text)
{
    int length = ::MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string Narrow(UINT codePage, DWORD flags, const char* defaultChar, const std::wstring& wide)
{
    int length = ::WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                       defaultChar, nullptr);
    std::string text(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        ::WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), &text[0], length,
                              defaultChar, nullptr);
    return text;
}
}

std::string CodePageToUtf8(const std::string& text)
{
    return Narrow(CP_UTF8, 0, nullptr, Widen(CP_ACP, 0, text));
}

std::string Utf8ToCodePage(const std::string& utf8)
{
    NameConversion conversion = NameConversionFor(::GetACP());
    return Narrow(CP_ACP, conversion.flags, conversion.defaultChar, Widen(CP_UTF8, 0, utf8));
}
