#include "QtDesign.h"

#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include <optional>

QString qtPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

std::filesystem::path corePath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QRect pixelRect(const QWidget& widget, const TwipsRect& rect) {
    return {twipsToPixels(rect.x, widget.logicalDpiX()), twipsToPixels(rect.y, widget.logicalDpiY()),
            twipsToPixels(rect.width, widget.logicalDpiX()),
            twipsToPixels(rect.height, widget.logicalDpiY())};
}

QSize pixelSize(const QWidget& widget, int widthTwips, int heightTwips) {
    return pixelRect(widget, {0, 0, widthTwips, heightTwips}).size();
}

QFont designFont(const FontDesign& font) {
    struct StandIn {
        std::u16string_view face;
        QStringList families;
    };
    static const StandIn kStandIns[] = {
        {u"ＭＳ ゴシック", {u"ＭＳ ゴシック"_qs, u"MS Gothic"_qs, u"IPAGothic"_qs, u"IPAゴシック"_qs}},
        {u"ＭＳ Ｐゴシック",
         {u"ＭＳ Ｐゴシック"_qs, u"MS PGothic"_qs, u"IPAPGothic"_qs, u"IPA Pゴシック"_qs}},
        {u"ＭＳ Ｐ明朝", {u"ＭＳ Ｐ明朝"_qs, u"MS PMincho"_qs, u"IPAPMincho"_qs, u"IPA P明朝"_qs}},
        {u"Arial Black", {u"Arial Black"_qs, u"Liberation Sans"_qs, u"DejaVu Sans"_qs}},
    };
    QFont result;
    result.setFamilies({qtText(font.face)});
    for (const StandIn& standIn : kStandIns) {
        if (standIn.face == font.face)
            result.setFamilies(standIn.families);
    }
    // A black face's stand-in only looks like it at that weight.
    if (font.black)
        result.setWeight(QFont::Black);
    result.setPointSizeF(font.pointSize);
    return result;
}

void applyDesign(QWidget& widget, const ControlDesign& design) {
    widget.setObjectName(qtName(design.name));
    if (design.font)
        widget.setFont(designFont(*design.font));
    if (design.colour) {
        QPalette palette = widget.palette();
        palette.setColor(QPalette::WindowText,
                         QColor(design.colour->red, design.colour->green, design.colour->blue));
        widget.setPalette(palette);
    }
    widget.setGeometry(pixelRect(*widget.parentWidget(), design.rect));
    if (auto* label = qobject_cast<QLabel*>(&widget)) {
        label->setText(qtText(design.text));
        if (design.autoSize)
            label->adjustSize();
    }
}

void applyTabOrder(QWidget& window, const WindowDesign& design) {
    QWidget* previous = nullptr;
    for (const ControlDesign* control : design.tabOrder()) {
        auto* widget = window.findChild<QWidget*>(qtName(control->name));
        if (!widget || widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

QIcon applicationIcon() {
    return QIcon(QStringLiteral(":/icons/zelk.png"));
}

void centreOnOwner(QWidget& window) {
    const QWidget* owner = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    if (!owner)
        return;
    const auto screenRect = [](const QRect& rect) {
        return PixelRect{rect.x(), rect.y(), rect.width(), rect.height()};
    };
    std::optional<PixelRect> available;
    if (const QScreen* screen = owner->screen())
        available = screenRect(screen->availableGeometry());
    const PixelRect client =
        centredOnOwner(window.width(), window.height(), screenRect(owner->geometry()), available);
    window.setGeometry(client.x, client.y, client.width, client.height);
}

namespace {

QString titleOr(const QString& title) {
    return title.isEmpty() ? qtText(kApplicationTitle) : title;
}

} // namespace

void showMessageBox(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, titleOr(title), text, QMessageBox::Ok, parent);
    box.exec();
}

void setJapaneseYesNo(QMessageBox& box) {
    box.button(QMessageBox::Yes)->setText(qtText(kYesCaption));
    box.button(QMessageBox::No)->setText(qtText(kNoCaption));
}

bool askYesNo(QWidget* parent, const QString& text, bool yesIsDefault, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, titleOr(title), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(yesIsDefault ? QMessageBox::Yes : QMessageBox::No);
    setJapaneseYesNo(box);
    return box.exec() == QMessageBox::Yes;
}
