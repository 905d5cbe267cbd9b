// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Memo.h"

#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

#include <utility>

// The memo's document layout. While the memo is hidden it only notes that the document changed
// (its text, its font, its options); the first look at the layout once the memo shows lays out
// the whole document.
class Memo::LayoutWhileShown : public QPlainTextDocumentLayout
{
public:
    LayoutWhileShown(QTextDocument* document, QPlainTextEdit* memo)
        : QPlainTextDocumentLayout(document), m_memo(memo)
    {
    }

    // Lays out what changed while the memo was hidden, if it is on the screen now.
    void catchUp()
    {
        if (m_changedWhileHidden && m_memo->isVisible())
            documentChanged(0, 0, 0);
    }

    // A block that changed while the memo is hidden has no geometry yet: asking for it (putting
    // text in makes the caret visible) does not lay it out.
    QRectF blockBoundingRect(const QTextBlock& block) const override
    {
        if (m_changedWhileHidden) {
            if (!m_memo->isVisible())
                return {};
            const_cast<LayoutWhileShown*>(this)->catchUp();
        }
        return QPlainTextDocumentLayout::blockBoundingRect(block);
    }

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override
    {
        if (!m_memo->isVisible()) {
            m_changedWhileHidden = true;
            // Emptied, as replacing the text does first: the view goes back to the top, as it
            // does in any memo, rather than keep a first row that may no longer be there.
            if (document()->isEmpty())
                m_memo->verticalScrollBar()->setValue(0);
            return;
        }
        if (std::exchange(m_changedWhileHidden, false)) {
            // Which blocks changed while hidden is not known: all of them, as when the text is
            // replaced.
            from = 0;
            charsRemoved = 0;
            charsAdded = document()->characterCount();
        }
        QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
    }

private:
    QPlainTextEdit* m_memo;
    bool m_changedWhileHidden = false;
};

Memo::Memo(QWidget* parent) : QPlainTextEdit(parent)
{
    // A document as the memo makes its own (laid out for its viewport, in its font), with the
    // layout above.
    auto* text = new QTextDocument(this);
    auto* layout = new LayoutWhileShown(text, this);
    layout->setPaintDevice(viewport());
    text->setDocumentLayout(layout);
    text->setDefaultFont(font());
    setDocument(text);
}

void Memo::showEvent(QShowEvent* event)
{
    if (auto* layout = dynamic_cast<LayoutWhileShown*>(document()->documentLayout()))
        layout->catchUp();
    QPlainTextEdit::showEvent(event);
}
