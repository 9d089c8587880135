#include "ui/qt/RichTextReader.h"

#include <QColor>
#include <QFont>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace titralab {

namespace {

Qt::Alignment toQt(sheets::Alignment a) {
    switch (a) {
    case sheets::Alignment::Center:
        return Qt::AlignHCenter;
    case sheets::Alignment::Right:
        return Qt::AlignRight;
    case sheets::Alignment::Justify:
        return Qt::AlignJustify;
    case sheets::Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

QTextCharFormat toQt(const sheets::CharFormat& f) {
    QTextCharFormat format;
    format.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(f.italic);
    format.setFontUnderline(f.underline);
    format.setFontPointSize(f.halfPoints / 2.0);
    if (f.script == sheets::Script::Sub)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (f.script == sheets::Script::Super)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (f.colour) format.setForeground(QColor(f.colour->red, f.colour->green, f.colour->blue));
    return format;
}

// Twips to the document's units, 1/96 inch.
qreal fromTwips(int twips) {
    return twips / 15.0;
}

QTextBlockFormat toQt(const sheets::Paragraph& p) {
    QTextBlockFormat block;
    block.setAlignment(toQt(p.alignment));
    block.setLeftMargin(fromTwips(p.spacing.left));
    block.setRightMargin(fromTwips(p.spacing.right));
    block.setTextIndent(fromTwips(p.spacing.first));
    block.setTopMargin(fromTwips(p.spacing.before));
    block.setBottomMargin(fromTwips(p.spacing.after));
    // A hanging indent is also a tab stop, so that "1.<tab>text" lines the text of the first
    // line up with the lines below it.
    if (p.spacing.first < 0 && p.spacing.left > 0)
        block.setTabPositions({QTextOption::Tab(fromTwips(p.spacing.left), QTextOption::LeftTab)});
    return block;
}

} // namespace

void showRichText(QTextDocument& document, const sheets::Document& rich) {
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    bool first = true;
    for (const sheets::Paragraph& p : rich.paragraphs) {
        const QTextBlockFormat block = toQt(p);
        // An empty paragraph takes its height from the block's character format.
        const QTextCharFormat blockChars =
            toQt(p.runs.empty() ? sheets::CharFormat{} : p.runs.front().format);
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(blockChars);
        } else {
            cursor.insertBlock(block, blockChars);
        }
        first = false;
        for (const sheets::Run& run : p.runs)
            cursor.insertText(
                QString::fromUtf8(run.text.data(), static_cast<qsizetype>(run.text.size())),
                toQt(run.format));
    }
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undo);
}

void showSheet(QTextDocument& document, const sheets::Sheet& sheet) {
    switch (sheet.kind) {
    case sheets::Sheet::Kind::Rich:
        showRichText(document, sheet.rich);
        break;
    case sheets::Sheet::Kind::Plain: {
        const bool undo = document.isUndoRedoEnabled();
        document.setUndoRedoEnabled(false);
        document.setPlainText(
            QString::fromUtf8(sheet.plain.data(), static_cast<qsizetype>(sheet.plain.size())));
        document.setUndoRedoEnabled(undo);
        break;
    }
    case sheets::Sheet::Kind::TooLarge:
        break;
    }
}

} // namespace titralab
