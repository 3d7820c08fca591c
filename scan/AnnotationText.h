// An entry's annotation: 8-bit ANSI text of any length that costs one pointer
// while empty, as almost every entry's is.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>

class CAnnotationText
{
public:
    CAnnotationText() noexcept = default;
    CAnnotationText(CAnnotationText&&) noexcept = default;
    CAnnotationText& operator=(CAnnotationText&&) noexcept = default;

    // An empty text releases the buffer, so an emptied note costs nothing
    // either. A null pointer reads as the empty text.
    CAnnotationText& operator=(const char* text);
    CAnnotationText& operator=(std::string text);

    bool empty() const { return m_pText == nullptr; }
    size_t size() const { return m_pText ? m_pText->size() : 0; }
    const char* c_str() const { return m_pText ? m_pText->c_str() : ""; }
    const std::string& str() const;

private:
    std::unique_ptr<std::string> m_pText;  // null exactly when the text is empty
};

static_assert(sizeof(CAnnotationText) == sizeof(void*), "an empty annotation costs one pointer");

inline bool operator==(const CAnnotationText& a, const CAnnotationText& b)
{
    return a.str() == b.str();
}
inline bool operator==(const CAnnotationText& a, const std::string& b)
{
    return a.str() == b;
}
inline bool operator==(const std::string& a, const CAnnotationText& b)
{
    return b == a;
}
inline bool operator==(const CAnnotationText& a, const char* b)
{
    return a.str() == (b ? b : "");
}
inline bool operator==(const char* a, const CAnnotationText& b)
{
    return b == a;
}
inline bool operator!=(const CAnnotationText& a, const CAnnotationText& b)
{
    return !(a == b);
}
inline bool operator!=(const CAnnotationText& a, const std::string& b)
{
    return !(a == b);
}
inline bool operator!=(const std::string& a, const CAnnotationText& b)
{
    return !(a == b);
}
inline bool operator!=(const CAnnotationText& a, const char* b)
{
    return !(a == b);
}
inline bool operator!=(const char* a, const CAnnotationText& b)
{
    return !(a == b);
}

// As a std::string prints, so a failed comparison shows the text.
std::ostream& operator<<(std::ostream& out, const CAnnotationText& text);
