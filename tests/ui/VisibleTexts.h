// Every text a user can read or hear in a window, and a finder of words of the other language.
#pragma once

#include <QAbstractAxis>
#include <QAbstractButton>
#include <QAbstractSeries>
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextDocument>
#include <QWidget>

namespace titralab::testing {

struct VisibleText {
    QString where; // the object and the property that holds it
    QString text;
};

inline QString plainText(const QString& text) {
    if (!Qt::mightBeRichText(text)) return text;
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

// The texts of one action: its caption (without "&"), its bubble and its status-bar hint.
inline void collectAction(const QAction* action, const QString& where, QList<VisibleText>& out) {
    if (action->isSeparator()) return;
    const QString name = where + "/" + action->text();
    out.append({name + " text", action->text()});
    if (action->toolTip() != QString(action->text()).remove('&'))
        out.append({name + " toolTip", action->toolTip()});
    out.append({name + " statusTip", action->statusTip()});
    if (QMenu* menu = action->menu())
        for (const QAction* a : menu->actions()) collectAction(a, name, out);
}

// Every text of a widget and its children: captions, titles, bubbles, accessible names,
// list items, table headers, and the chart's titles, axes and legend.
inline QList<VisibleText> visibleTexts(const QWidget* top) {
    QList<VisibleText> out;
    QList<const QWidget*> widgets{top};
    for (const QWidget* w : top->findChildren<QWidget*>()) widgets.append(w);
    for (const QWidget* w : widgets) {
        const QString id = QString::fromLatin1(w->metaObject()->className()) + " " +
                           (w->objectName().isEmpty() ? QString("?") : w->objectName());
        auto add = [&](const char* property, const QString& text) {
            if (!text.trimmed().isEmpty()) out.append({id + " " + property, plainText(text)});
        };
        if (w->isWindow()) add("windowTitle", w->windowTitle());
        add("toolTip", w->toolTip());
        add("statusTip", w->statusTip());
        add("whatsThis", w->whatsThis());
        add("accessibleName", w->accessibleName());
        add("accessibleDescription", w->accessibleDescription());
        if (auto* l = qobject_cast<const QLabel*>(w)) add("text", l->text());
        if (auto* b = qobject_cast<const QAbstractButton*>(w)) add("text", b->text());
        if (auto* g = qobject_cast<const QGroupBox*>(w)) add("title", g->title());
        if (auto* e = qobject_cast<const QLineEdit*>(w)) add("placeholder", e->placeholderText());
        if (auto* c = qobject_cast<const QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) add("item", c->itemText(i));
        if (auto* l = qobject_cast<const QListWidget*>(w))
            for (int i = 0; i < l->count(); ++i) add("item", l->item(i)->text());
        if (auto* t = qobject_cast<const QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i) add("tab", t->tabText(i));
        if (auto* t = qobject_cast<const QTableWidget*>(w)) {
            for (int i = 0; i < t->columnCount(); ++i)
                if (auto* item = t->horizontalHeaderItem(i)) add("header", item->text());
            for (int i = 0; i < t->rowCount(); ++i)
                if (auto* item = t->verticalHeaderItem(i)) add("header", item->text());
        }
        if (auto* v = qobject_cast<const QChartView*>(w)) {
            const QChart* chart = v->chart();
            add("chart title", chart->title());
            for (const QAbstractAxis* axis : chart->axes()) add("axis title", axis->titleText());
            for (const QAbstractSeries* series : chart->series()) {
                if (!series->isVisible()) continue;
                add("series", series->name());
            }
        }
        for (const QAction* action : w->actions()) collectAction(action, id, out);
    }
    return out;
}

// The words of a text: runs of letters, apostrophes inside words split them ("l'acide").
inline QStringList wordsOf(const QString& text) {
    static const QRegularExpression word(QStringLiteral("[\\p{L}]+"));
    QStringList words;
    QString plain = text;
    plain.remove('&');
    for (auto it = word.globalMatch(plain); it.hasNext();) words.append(it.next().captured());
    return words;
}

// Words only French uses: its accented letters, and common words no English text holds.
inline bool isFrenchWord(const QString& word) {
    static const QRegularExpression accented(QStringLiteral("[éèêëàâîïôùûüçœÉÈÊÀÂÎÔÙÛÇ]"));
    static const QSet<QString> words{
        "le",       "la",          "les",     "du",        "des",       "une",     "et",
        "pour",     "avec",        "dans",    "sur",       "par",       "est",     "au",
        "aux",      "ou",          "courbe",  "courbes",   "acide",     "acides",  "forte",
        "faible",   "versé",       "fichier", "aide",      "imprimer",  "copier",  "coller",
        "ouvrir",   "enregistrer", "fermer",  "annuler",   "quitter",   "couples", "nombre",
        "papier",   "titrage",     "espèces", "espece",    "chaque",    "cette",   "lire",
        "valeurs",  "tableur",     "couleur", "épaisseur", "largeur",   "hauteur", "choisir",
        "choix",    "entre",       "deux",    "trois",     "monoacide", "diacide", "triacide",
        "monobase", "dibase",      "tribase", "mélange",   "aucun",     "aucune",  "oui",
        "sous",     "dont",        "mais",    "votre",     "vos",       "nous",    "vous",
        "ne",       "pas",         "moins",   "étude",     "voir",      "suivant", "précédent"};
    return accented.match(word).hasMatch() || words.contains(word.toLower());
}

// Words only English uses, in texts a French window could show.
inline bool isEnglishWord(const QString& word) {
    static const QSet<QString> words{
        "the",      "of",       "and",      "with",    "for",     "from",   "to",          "is",
        "are",      "this",     "that",     "by",      "at",      "in",     "file",        "edit",
        "help",     "print",    "copy",     "paste",   "show",    "open",   "save",        "close",
        "cancel",   "apply",    "quit",     "curve",   "curves",  "acid",   "strong",      "weak",
        "added",    "settings", "language", "species", "pairs",   "choose", "width",       "height",
        "colour",   "color",    "line",     "paper",   "values",  "none",   "yes",         "no",
        "each",     "between",  "two",      "three",   "mixture", "study",  "read",        "next",
        "previous", "your",     "you",      "not",     "more",    "less",   "equivalence", "drawn",
        "draw",     "about",    "window"};
    return words.contains(word.toLower());
}

// "where: text [word]" for each text holding a word of the other language.
template <typename IsForeign>
QStringList foreignTexts(const QList<VisibleText>& texts, IsForeign isForeign,
                         const QSet<QString>& allowed = {}) {
    QStringList found;
    for (const VisibleText& t : texts) {
        for (const QString& w : wordsOf(t.text)) {
            if (!allowed.contains(w) && isForeign(w)) {
                found.append(t.where + ": " + t.text + "  [" + w + "]");
                break;
            }
        }
    }
    return found;
}

} // namespace titralab::testing
