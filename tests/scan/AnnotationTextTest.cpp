// An annotation holds what the user wrote, byte for byte, and nothing while empty.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "scan/AnnotationText.h"

TEST(AnnotationText, HoldsTheTextAndNothingWhileEmpty)
{
    // Every empty text answers with the one shared empty string: no buffer of its own.
    const CAnnotationText none;
    CAnnotationText note;
    EXPECT_TRUE(note.empty());
    EXPECT_STREQ("", note.c_str());
    EXPECT_EQ(&none.str(), &note.str());

    const std::string upper = "s\xF3tano \x80\xFF\xE1";
    note = upper.c_str();
    EXPECT_EQ(upper.size(), note.size());
    EXPECT_EQ(0, std::memcmp(upper.c_str(), note.c_str(), upper.size() + 1));
    EXPECT_NE(&none.str(), &note.str());

    note = "";
    EXPECT_TRUE(note.empty());
    EXPECT_STREQ("", note.c_str());
    EXPECT_EQ(&none.str(), &note.str()) << "emptied: the buffer is released";
    note = std::string("x");
    note = std::string();
    EXPECT_EQ(&none.str(), &note.str());
    note = static_cast<const char*>(nullptr);
    EXPECT_TRUE(note.empty());

    note = std::string(upper);
    CAnnotationText moved(std::move(note));
    EXPECT_EQ(upper, moved);
    EXPECT_TRUE(note.empty());
    EXPECT_STREQ("", note.c_str());
    note = std::move(moved);
    EXPECT_TRUE(moved.empty());

    // Assigning a text its own characters keeps them.
    note = note.c_str();
    EXPECT_EQ(upper, note.str());
}

TEST(AnnotationText, ComparesByText)
{
    CAnnotationText a;
    CAnnotationText b;
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a == "");
    EXPECT_TRUE(std::string() == a);

    a = "nota";
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a != "");
    EXPECT_TRUE(a == "nota");
    EXPECT_TRUE("nota" == a);
    EXPECT_TRUE(a != "not");
    EXPECT_TRUE(a != "notas");
    EXPECT_TRUE(a == std::string("nota"));
    EXPECT_TRUE(std::string("Nota") != a);

    b = std::string("nota");
    EXPECT_TRUE(a == b);
    b = "not\xE1";
    EXPECT_TRUE(a != b);
}
