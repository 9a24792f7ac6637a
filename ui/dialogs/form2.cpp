// SPDX-License-Identifier: MIT
// The Help window and the page it shows, as they are drawn.
#include "ui/dialogs/form2.h"

#include "ui/dialogs/dialogsupport.h"
#include "ui/look/devicepixels.h"
#include "ui/look/style.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPainter>
#include <QTextBlock>
#include <QtMath>

namespace numora {

namespace {

constexpr std::uint32_t kNavy = 0x800000;

QString helptext()
{
    QFile file(QStringLiteral(":/help/help.html"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace

HelpPage::HelpPage(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFixedSize(kPageSize.grownBy(QMargins(2, 2, 2, 2)));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    document_.setDefaultFont(look::sans(9.75));
    document_.setDocumentMargin(8);
    document_.setHtml(helptext());
    document_.setTextWidth(kPageSize.width());
    textheight_ = qCeil(document_.size().height());

    // The last line holds the footnote, a tab and the wish of good luck: a right tab stop
    // at the page's right margin sends the wish to the corner, and the height the text
    // leaves free goes above the line.
    QTextCursor cursor(document_.lastBlock());
    QTextBlockFormat format = cursor.blockFormat();
    const qreal right =
        kPageSize.width() - 2 * document_.documentMargin() - format.leftMargin() - format.rightMargin() - 1;
    format.setTabPositions({QTextOption::Tab(right, QTextOption::RightTab)});
    format.setTopMargin(format.topMargin() + qMax(0, kPageSize.height() - textheight_));
    cursor.setBlockFormat(format);
}

void HelpPage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const look::DevicePixels device(painter);
    device.fill(device.sunkenborder(device.map(rect()), palette()), look::bgr(kNavy));
    const QRect page = contentsRect();
    painter.translate(page.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), page.size()));
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::white);
    context.clip = QRectF(QPoint(0, 0), page.size());
    document_.documentLayout()->draw(&painter, context);
}

Form2::Form2()
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Game Help"));
    setWindowIcon(windowicon());
    setFont(look::sans(8.25));
    setFixedSize(look::px(13515), look::px(8190));

    HelpPage::installaccessible();
    Picture1 = new HelpPage(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->move(0, 0);
    Picture1->setFocusPolicy(Qt::StrongFocus);  // a screen reader reads the page from its focus
}

void Form2::present()
{
    presentcentred(this);
}

}  // namespace numora
