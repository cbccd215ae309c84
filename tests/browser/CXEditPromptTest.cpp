#include "browser/CXEditPrompt.h"
#include "fixtures/QtTestApplication.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class CXEditPromptTest : public testing::Test
{
protected:
    static void SetUpTestSuite() { EnsureQtApplication<QApplication>(); }

    void SetUp() override { m_edit.SetPromptText(QStringLiteral("< 请输入访问地址 >")); }

    CXEditPrompt m_edit;
};

TEST_F(CXEditPromptTest, ThePromptReadsAsEmptyAndIsGrey)
{
    EXPECT_TRUE(m_edit.IsPrompting());
    EXPECT_EQ(m_edit.text(), QStringLiteral("< 请输入访问地址 >"));
    EXPECT_TRUE(m_edit.WindowText().isEmpty());
    EXPECT_EQ(m_edit.palette().color(QPalette::Text), CXEditPrompt::PromptColour());
}

TEST_F(CXEditPromptTest, TheFirstKeyPressReplacesThePrompt)
{
    QTest::keyClick(&m_edit, Qt::Key_A);
    EXPECT_FALSE(m_edit.IsPrompting());
    EXPECT_EQ(m_edit.WindowText(), QStringLiteral("a"));
    EXPECT_NE(m_edit.palette().color(QPalette::Text), CXEditPrompt::PromptColour());
}

TEST_F(CXEditPromptTest, AClickEndsThePromptToo)
{
    QTest::mouseClick(&m_edit, Qt::LeftButton);
    EXPECT_FALSE(m_edit.IsPrompting());
    EXPECT_TRUE(m_edit.text().isEmpty());
}

struct SetTextCase
{
    const char* text;
    bool prompting;
    const char* windowText;
};

void PrintTo(const SetTextCase& c, std::ostream* os)
{
    *os << c.text;
}

class CXEditPromptSetTextTest : public CXEditPromptTest, public testing::WithParamInterface<SetTextCase>
{
};

TEST_P(CXEditPromptSetTextTest, KeepsOrEndsPrompting)
{
    m_edit.SetWindowText(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(m_edit.IsPrompting(), GetParam().prompting);
    EXPECT_EQ(m_edit.WindowText(), QString::fromUtf8(GetParam().windowText));
}

INSTANTIATE_TEST_SUITE_P(Cases, CXEditPromptSetTextTest,
                         testing::Values(SetTextCase{"", true, ""},
                                         SetTextCase{"< 请输入访问地址 >", true, ""},
                                         SetTextCase{"portal.example", false, "portal.example"}));

TEST_F(CXEditPromptTest, AnEmptyPromptEndsPrompting)
{
    m_edit.SetPromptText(QString());
    EXPECT_FALSE(m_edit.IsPrompting());
}

} // namespace
