#include "ui/text_codec.h"

#include <windows.h>

#include <climits>

namespace {

struct LanguageCodePage {
    const char* languageCode;
    unsigned codePage;
};

constexpr LanguageCodePage kCodePages[] = {
    {"EN", 1252}, {"GE", 1252}, {"FR", 1252}, {"IT", 1252}, {"PL", 1250},
    {"RU", 1251}, {"JA", 932},  {"KO", 949},  {"CH", 950},  {"CHs", 936},
};

// English is the language every dictionary has.
constexpr unsigned kDefaultCodePage = 1252;

}  // namespace

unsigned UiCodePage(const std::string& languageCode)
{
    for (const LanguageCodePage& entry : kCodePages) {
        if (languageCode == entry.languageCode) return entry.codePage;
    }
    return kDefaultCodePage;
}

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
