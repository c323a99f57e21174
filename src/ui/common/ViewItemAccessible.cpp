#include "ui/common/ViewItemAccessible.h"

#include "ui/common/FigureTable.h"
#include "ui/common/FigureTableAccessible.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QWindow>
#include <QtQuick/private/qaccessiblequickitem_p.h>
#include <QtQuick/private/qquickaccessibleattached_p.h>
#include <QtQuick/private/qquickitem_p.h>
#include <algorithm>
#include <optional>

QString textPiece(const QString &text, TextPiece which, int offset, QAccessible::TextBoundaryType boundary,
    int *start, int *end)
{
    const int length = int(text.size());
    // Where each piece starts, then the text's end.
    QList<int> starts { 0 };
    const auto finderType = boundary == QAccessible::CharBoundary ? QTextBoundaryFinder::Grapheme
        : boundary == QAccessible::WordBoundary                   ? QTextBoundaryFinder::Word
                                                                  : QTextBoundaryFinder::Sentence;
    if (boundary == QAccessible::CharBoundary || boundary == QAccessible::WordBoundary
        || boundary == QAccessible::SentenceBoundary) {
        // Every step moves forward and none is found past the end, so the walk ends: Qt 6.4's own walk
        // for a line of text does not.
        QTextBoundaryFinder finder(finderType, text);
        for (qsizetype at = finder.toNextBoundary(); at > 0 && at < length; at = finder.toNextBoundary()) {
            if (boundary != QAccessible::WordBoundary
                || finder.boundaryReasons().testFlag(QTextBoundaryFinder::StartOfItem))
                starts.append(int(at));
        }
    }
    starts.append(length);
    const auto pieces = starts.size() - 1;
    offset = std::clamp(offset < 0 ? length : offset, 0, length);
    // The end of the text belongs to its last word, sentence or line, but is no character.
    qsizetype piece = std::upper_bound(starts.cbegin(), starts.cend() - 1, offset) - starts.cbegin() - 1;
    if (boundary == QAccessible::CharBoundary && offset == length)
        piece = pieces;
    piece += which == TextPiece::Before ? -1 : which == TextPiece::After ? 1 : 0;
    if (piece < 0 || piece >= pieces) {
        *start = *end = piece < 0 ? 0 : length;
        return {};
    }
    *start = starts[piece];
    *end = starts[piece + 1];
    return text.mid(*start, *end - *start);
}

namespace {

// A character beyond the text's end counts as one unit.
int toCharacters(const QString &text, int units)
{
    const auto upTo = std::clamp<qsizetype>(units, 0, text.size());
    return units - int(std::count_if(text.cbegin(), text.cbegin() + upTo, [](QChar unit) {
        return unit.isLowSurrogate();
    }));
}

int toUnits(const QString &text, int characters)
{
    qsizetype at = 0;
    int counted = 0;
    for (; counted < characters && at < text.size(); ++counted)
        at += text.at(at).isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
    return int(at) + characters - counted;
}

class ViewItemAccessible final : public QAccessibleQuickItem
{
public:
    using QAccessibleQuickItem::QAccessibleQuickItem;

    // Offsets count characters, as a screen reader counts them, not the UTF-16 units Qt Quick counts: an
    // emoji would move every later word by one.
    QString textBeforeOffset(
        int offset, QAccessible::TextBoundaryType boundary, int *start, int *end) const override
    {
        return piece(TextPiece::Before, offset, boundary, start, end);
    }
    QString textAtOffset(
        int offset, QAccessible::TextBoundaryType boundary, int *start, int *end) const override
    {
        return piece(TextPiece::At, offset, boundary, start, end);
    }
    QString textAfterOffset(
        int offset, QAccessible::TextBoundaryType boundary, int *start, int *end) const override
    {
        return piece(TextPiece::After, offset, boundary, start, end);
    }
    QString text(int start, int end) const override
    {
        const QString whole = wholeText();
        const int from = toUnits(whole, start);
        return whole.mid(from, end < 0 ? -1 : toUnits(whole, end) - from);
    }
    int characterCount() const override
    {
        const QString whole = wholeText();
        return toCharacters(whole, int(whole.size()));
    }
    int cursorPosition() const override
    {
        return toCharacters(wholeText(), QAccessibleQuickItem::cursorPosition());
    }
    void setCursorPosition(int position) override
    {
        QAccessibleQuickItem::setCursorPosition(toUnits(wholeText(), position));
    }
    void selection(int index, int *start, int *end) const override
    {
        QAccessibleQuickItem::selection(index, start, end);
        const QString whole = wholeText();
        *start = toCharacters(whole, *start);
        *end = toCharacters(whole, *end);
    }
    void addSelection(int start, int end) override
    {
        const QString whole = wholeText();
        QAccessibleQuickItem::addSelection(toUnits(whole, start), toUnits(whole, end));
    }
    void setSelection(int index, int start, int end) override
    {
        const QString whole = wholeText();
        QAccessibleQuickItem::setSelection(index, toUnits(whole, start), toUnits(whole, end));
    }

    // A screen reader keeps a field's text only where it lies on the screen and has attributes, as GTK
    // gives them: one run over the whole text in the language of the interface.
    QString attributes(int offset, int *start, int *end) const override
    {
        const int count = characterCount();
        if (offset < 0 || offset > count) {
            *start = *end = 0;
            return {};
        }
        *start = 0;
        *end = count;
        return QStringLiteral("language:%1;").arg(QLocale().name().replace(u'_', u'-').toLower());
    }
    QRect characterRect(int offset) const override
    {
        const QString whole = wholeText();
        const int at = toUnits(whole, offset);
        QRectF caret;
        if (at < 0 || at >= whole.size()
            || !QMetaObject::invokeMethod(
                item(), "positionToRectangle", Q_RETURN_ARG(QRectF, caret), Q_ARG(int, at)))
            return {};
        const int length = whole.at(at).isHighSurrogate() ? 2 : 1;
        const QFontMetricsF metrics(item()->property("font").value<QFont>());
        caret.setWidth(metrics.horizontalAdvance(whole.mid(at, length)));
        const QRectF inScene = item()->mapRectToScene(caret);
        const QWindow *shownIn = window();
        if (shownIn == nullptr)
            return {};
        return QRect(shownIn->mapToGlobal(inScene.topLeft().toPoint()), inScene.size().toSize());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        for (int offset = 0, count = characterCount(); offset < count; ++offset) {
            if (characterRect(offset).contains(point))
                return offset;
        }
        return -1;
    }

    // Qt Quick's controls put their own role over the one a view gives them, and Qt 6.4 says `checked` of
    // check boxes and radio buttons only. A button a view marks selectable is one choice of several (a
    // background, a language, a pane): a radio button, checked while selected. A control that steps a
    // value it shows as text is a spin button.
    QAccessible::Role role() const override
    {
        const QAccessible::Role own = QAccessibleQuickItem::role();
        if (own == QAccessible::Dialog)
            return popupRole().value_or(own);
        if (own == QAccessible::Button && isChoice())
            return QAccessible::RadioButton;
        if (item()->property("displayText").isValid() && item()->property("value").isValid())
            return QAccessible::SpinBox;
        return own;
    }

    // A screen reader reads a dialog as the one the user is in only while it is active, which Qt Quick never
    // says of a popup.
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleQuickItem::state();
        state.active = isDialog() && !state.invisible;
        if (isChoice()) {
            state.checkable = true;
            state.checked = state.selected;
            state.selectable = state.selected = false;
        }
        return state;
    }

    // A screen reader's first action of a radio button is its toggle, which makes the choice as a press
    // does: Qt Quick's attached Accessible would tell only a handler of the toggle, which choices lack.
    void doAction(const QString &name) override
    {
        QAccessibleQuickItem::doAction(isChoice() && name == QAccessibleActionInterface::toggleAction()
                ? QAccessibleActionInterface::pressAction()
                : name);
    }

    // A spin button reads as the text it shows ("25 minutes"), which a screen reader speaks as its value.
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface && role() == QAccessible::SpinBox)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleQuickItem::interface_cast(type);
    }

    // A share the view shows in whole per cents is read in per cents, not as "0.37".
    QVariant currentValue() const override { return inPercent(QAccessibleQuickItem::currentValue()); }
    QVariant minimumValue() const override { return inPercent(QAccessibleQuickItem::minimumValue()); }
    QVariant maximumValue() const override { return inPercent(QAccessibleQuickItem::maximumValue()); }
    QVariant minimumStepSize() const override { return inPercent(QAccessibleQuickItem::minimumStepSize()); }
    void setCurrentValue(const QVariant &value) override
    {
        QAccessibleQuickItem::setCurrentValue(
            item()->property("valueInPercent").toBool() ? QVariant(value.toDouble() / 100) : value);
    }

    // Qt Quick names a dialog by its title and leaves its message, the content item's text, out of the
    // tree: a screen reader then reads an alert as an empty dialog. A text field's placeholder, which Qt
    // Quick gives as its description, reads as if it were the field's value.
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value && role() == QAccessible::SpinBox)
            return item()->property("displayText").toString();
        QString own = QAccessibleQuickItem::text(kind);
        if (kind != QAccessible::Description)
            return own;
        if (role() == QAccessible::EditableText && own == item()->property("placeholderText").toString())
            return {};
        if (!own.isEmpty() || !isDialog())
            return own;
        const auto *content = item()->property("contentItem").value<QQuickItem *>();
        return content != nullptr ? content->property("text").toString() : own;
    }

private:
    bool isDialog() const
    {
        const QAccessible::Role own = role();
        return own == QAccessible::Dialog || own == QAccessible::AlertMessage;
    }

    // A popup's item stands for the popup, which may name its role where no Accessible can be attached.
    std::optional<QAccessible::Role> popupRole() const
    {
        const QObject *popup = item()->parent();
        const QVariant named = popup != nullptr ? popup->property("accessibleRole") : QVariant();
        if (!named.isValid())
            return std::nullopt;
        return QAccessible::Role(named.toInt());
    }

    bool isChoice() const
    {
        const auto *attached = QQuickAccessibleAttached::attachedProperties(item());
        return attached != nullptr && attached->selectable();
    }

    QVariant inPercent(const QVariant &value) const
    {
        return item()->property("valueInPercent").toBool() ? QVariant(value.toDouble() * 100) : value;
    }

    // The text the text interface reads: a text area's document, or a line's value.
    QString wholeText() const
    {
        const QTextDocument *document = textDocument();
        return document != nullptr ? document->toPlainText() : text(QAccessible::Value);
    }

    QString piece(
        TextPiece which, int offset, QAccessible::TextBoundaryType boundary, int *start, int *end) const
    {
        const QString whole = wholeText();
        const QString found = pieceInUnits(whole, which, toUnits(whole, offset), boundary, start, end);
        *start = toCharacters(whole, *start);
        *end = toCharacters(whole, *end);
        return found;
    }

    // A text area's document answers as Qt Quick has it; a line of text is answered here.
    QString pieceInUnits(const QString &whole, TextPiece which, int offset,
        QAccessible::TextBoundaryType boundary, int *start, int *end) const
    {
        if (textDocument() == nullptr)
            return textPiece(whole, which, offset, boundary, start, end);
        switch (which) {
        case TextPiece::Before:
            // Qt Quick would look before the document's start, and warn.
            if (QAccessibleQuickItem::textAtOffset(offset, boundary, start, end); *start <= 0) {
                *start = *end = 0;
                return {};
            }
            return QAccessibleQuickItem::textBeforeOffset(offset, boundary, start, end);
        case TextPiece::At:
            return QAccessibleQuickItem::textAtOffset(offset, boundary, start, end);
        case TextPiece::After:
            return QAccessibleQuickItem::textAfterOffset(offset, boundary, start, end);
        }
        return {};
    }
};

// Asked with the most derived class first, so that it answers for every item before Qt Quick's own factory,
// which is asked only at the class QQuickItem.
QAccessibleInterface *viewItemFactory(const QString &, QObject *object)
{
    auto *item = qobject_cast<QQuickItem *>(object);
    if (item == nullptr || !QQuickItemPrivate::get(item)->isAccessible)
        return nullptr;
    if (auto *table = qobject_cast<FigureTable *>(item))
        return figureTableAccessible(table);
    // Qt Quick tells of a choice made as `selected`, which a screen reader hears of a radio button only as
    // `checked`.
    if (auto *attached = QQuickAccessibleAttached::attachedProperties(item);
        attached && attached->selectable())
        QObject::connect(attached, &QQuickAccessibleAttached::selectedChanged, item, [item] {
            QAccessible::State changed;
            changed.checked = true;
            QAccessibleStateChangeEvent event(item, changed);
            QAccessible::updateAccessibility(&event);
        });
    return new ViewItemAccessible(item);
}

} // namespace

void installViewItemAccessibility()
{
    QAccessible::installFactory(&viewItemFactory);
}
