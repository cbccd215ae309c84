#pragma once

#include <QLineEdit>

// An edit field that shows a grey prompt as its content until the user first types or clicks into it.
// While the prompt shows, the field's text reads as empty.
class CXEditPrompt : public QLineEdit
{
    Q_OBJECT
public:
    explicit CXEditPrompt(QWidget* parent = nullptr);

    // An empty prompt ends prompting; otherwise, while prompting, the prompt becomes the content.
    void SetPromptText(const QString& prompt);

    // Sets the content: an empty text while prompting is ignored, and so is the prompt itself (prompting
    // goes on); any other text ends prompting.
    void SetWindowText(const QString& text);
    // The content, empty while the prompt shows.
    QString WindowText() const;

    bool IsPrompting() const { return m_prompting; }

    static QColor PromptColour() { return QColor(119, 121, 118); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void EndPrompting();
    void ApplyColours();

    bool m_prompting = true;
    QString m_prompt;
};
