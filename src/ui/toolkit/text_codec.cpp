#include "ui/toolkit/text_codec.h"

#include <windows.h>

#include <climits>

#include "app/process_values.h"
#include "dictionary/languages.h"

std::wstring DecodeText(const std::string& bytes, unsigned codePage)
{
    if (bytes.empty() || bytes.size() > INT_MAX) return {};
    const int byteCount = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), byteCount, nullptr, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(codePage, 0, bytes.data(), byteCount, text.data(), length) != length) return {};
    return text;
}

std::string EncodeText(const std::wstring& text, unsigned codePage)
{
    if (text.empty() || text.size() > INT_MAX) return {};
    const int charCount = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(codePage, 0, text.data(), charCount, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string bytes(static_cast<std::size_t>(length), '\0');
    if (WideCharToMultiByte(codePage, 0, text.data(), charCount, bytes.data(), length, nullptr, nullptr) != length)
        return {};
    return bytes;
}

std::wstring DecodeUiText(const std::string& text)
{
    return DecodeText(text, UiCodePage(LanguageCode));
}
