#include "CXEditPrompt.h"

#include <QKeyEvent>

CXEditPrompt::CXEditPrompt(QWidget* parent) : QLineEdit(parent)
{
    ApplyColours();
}

void CXEditPrompt::SetPromptText(const QString& prompt)
{
    m_prompt = prompt;
    if (m_prompt.isEmpty()) {
        m_prompting = false;
    } else if (m_prompting) {
        QLineEdit::setText(m_prompt);
        deselect();
    }
    ApplyColours();
}

void CXEditPrompt::SetWindowText(const QString& text)
{
    if (m_prompting && (text.isEmpty() || text == m_prompt))
        return;
    m_prompting = false;
    QLineEdit::setText(text);
    ApplyColours();
}

QString CXEditPrompt::WindowText() const
{
    return m_prompting ? QString() : text();
}

void CXEditPrompt::EndPrompting()
{
    if (!m_prompting)
        return;
    m_prompting = false;
    clear();
    ApplyColours();
}

void CXEditPrompt::keyPressEvent(QKeyEvent* event)
{
    EndPrompting();
    QLineEdit::keyPressEvent(event);
}

void CXEditPrompt::mousePressEvent(QMouseEvent* event)
{
    EndPrompting();
    QLineEdit::mousePressEvent(event);
}

void CXEditPrompt::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (m_prompting) {
        deselect();
        setCursorPosition(static_cast<int>(text().size())); // the caret after the prompt
    }
}

void CXEditPrompt::ApplyColours()
{
    QPalette colours = palette();
    colours.setColor(QPalette::Text, m_prompting ? PromptColour() : QPalette().color(QPalette::Text));
    setPalette(colours);
}
