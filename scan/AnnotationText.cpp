// An entry's annotation, released whenever it becomes empty.
#include "scan/AnnotationText.h"

#include <ostream>
#include <utility>

CAnnotationText& CAnnotationText::operator=(const char* text)
{
    if (!text || *text == '\0')
        m_pText.reset();
    else if (m_pText)
        m_pText->assign(text);  // keeps the buffer; safe when 'text' points into it
    else
        m_pText = std::make_unique<std::string>(text);
    return *this;
}

CAnnotationText& CAnnotationText::operator=(std::string text)
{
    if (text.empty())
        m_pText.reset();
    else if (m_pText)
        *m_pText = std::move(text);
    else
        m_pText = std::make_unique<std::string>(std::move(text));
    return *this;
}

const std::string& CAnnotationText::str() const
{
    static const std::string kEmpty;
    return m_pText ? *m_pText : kEmpty;
}

std::ostream& operator<<(std::ostream& out, const CAnnotationText& text)
{
    return out << text.str();
}
