#include "widgets/uiscale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace vorlane {

layout::Screen currentScreen(const QWidget *w)
{
    QScreen *screen = w ? w->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    layout::Screen s;
    if (!screen)
        return s;
    const double dpi = screen->logicalDotsPerInch() > 0 ? screen->logicalDotsPerInch() : 96.0;
    s.twipsPerPixel = 1440.0 / dpi;
    s.W = screen->geometry().width() * s.twipsPerPixel;
    s.H = screen->geometry().height() * s.twipsPerPixel;
    return s;
}

void placeTwips(QWidget *w, const layout::TwipRect &r, const layout::Screen &s)
{
    QRect px = layout::toPixels(r, s);
    // No guard in the rules for tiny screens: keep every control at least a pixel big.
    px.setWidth(std::max(px.width(), 1));
    px.setHeight(std::max(px.height(), 1));
    w->setGeometry(px);
}

void fitText(QWidget *w, const QString &text)
{
    QFont font = w->parentWidget() ? w->parentWidget()->font() : QApplication::font();
    int px = QFontInfo(font).pixelSize();
    // Room the control's frame and padding take.
    int padW = 6, padH = 4;
    if (qobject_cast<QAbstractButton *>(w))
        padW = 10, padH = 6;
    else if (qobject_cast<QComboBox *>(w))
        padH = 8;
    else if (qobject_cast<QLineEdit *>(w))
        padH = 6;
    const int availW = w->width() - padW;
    const int availH = w->height() - padH;
    for (; px > 7; --px) {
        font.setPixelSize(px);
        const QFontMetrics fm(font);
        const bool fitsW = text.isEmpty() || fm.horizontalAdvance(text) <= availW;
        if (fitsW && fm.height() <= availH)
            break;
    }
    font.setPixelSize(px);
    w->setFont(font);
}

void applyProgramFont(const layout::Screen &s)
{
    const double heightPx = s.H / s.twipsPerPixel;
    QStringList families = QFontDatabase::families();
    QFont font = QApplication::font();
    for (const QString &f : {u"Loma"_s, u"Garuda"_s, u"Tlwg Typo"_s, u"Kinnari"_s}) {
        if (families.contains(f)) {
            font.setFamily(f);
            break;
        }
    }
    // About 16 pixels at 768 lines; Thai marks above and below need the height.
    font.setPixelSize(std::max(12, int(heightPx * 0.021 + 0.5)));
    QApplication::setFont(font);
}

}  // namespace vorlane
