#include "aboutdialog.h"

#include "identity.h"
#include "linkopener.h"
#include "picture.h"
#include "settings.h"
#include "version.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace {
// The size the background picture is drawn at; the box keeps it even while
// the picture is missing.
constexpr QSize kDefaultSize(400, 258);
// Light sky blue: reads on the navy picture and still looks like a link.
const QLatin1String kLinkColour("#87ceff");

QLabel *makeLabel(const QString &text, const QRect &geometry, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

// The palette's dark blue links vanish on the navy background. Qt's HTML
// reader colours an anchor from the application palette, whatever the
// label's own, so the colour goes into the anchor itself.
QString withLinkColour(QString text)
{
    return text.replace(QLatin1String("<a href="), QStringLiteral("<a style=\"color: %1\" href=").arg(kLinkColour));
}
// The line with the address as link target and text. The help page that
// stands in for a site until there is one shows by its name and section,
// not by its long file address.
QString linkLine(const QString &format, const QString &address)
{
    const QUrl url(address);
    QString shown = address;
    if (url.isLocalFile())
        shown = QStringLiteral("help/%1#%2").arg(QFileInfo(url.toLocalFile()).fileName(), url.fragment());
    return QString(format).replace(QLatin1String("\">%1<"), QStringLiteral("\">%1<").arg(shown.toHtmlEscaped()))
        .arg(url.toString(QUrl::FullyEncoded));
}

// Some languages' copyright line is wider than the box: a smaller font
// rather than a cut-off end.
void fitToWidth(QLabel *label)
{
    QFont font = label->font();
    while (QFontMetrics(font).horizontalAdvance(label->text()) > label->width() && font.pointSizeF() > 6)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
}
} // namespace

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent, FramelessWindow::withoutSystemFrame({}))
{
    setObjectName(QStringLiteral("aboutDialog"));

    background = QPixmap::fromImage(readPicture(u"about_bg", pictureRatio()));
    resize(background.isNull() ? kDefaultSize : background.deviceIndependentSize().toSize());

    FramelessWindow::shapeRectangular(this);

    setWindowTitle(QString::fromLatin1(Identity::kProductName));
    labelHomePage = makeLabel(withLinkColour(linkLine(tr("Home Page: <a href=\"%1\">%1</a>"), productPageUrl())),
                              QRect(20, 195, 360, 22), this);
    labelSupport = makeLabel(withLinkColour(linkLine(tr("Support: <a href=\"%1\">%1</a>"), supportPageUrl())),
                             QRect(20, 215, 360, 22), this);
    labelCompany = makeLabel(tr("Copyright \u00A9 2026 %1. All rights reserved.")
                                 .arg(QLatin1String(Identity::kCompanyName)),
                             QRect(20, 235, 370, 22), this);
    labelCompany->setOpenExternalLinks(true);
    fitToWidth(labelCompany);
    labelVersion = makeLabel(tr("Version: ") + versionText(), QRect(150, 145, 240, 22), this);
    // Absolute: right-to-left text would otherwise turn "right" into left.
    labelVersion->setAlignment(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);

    connect(labelHomePage, &QLabel::linkActivated, this, &AboutDialog::openUrl);
    connect(labelSupport, &QLabel::linkActivated, this, &AboutDialog::openUrl);
}

void AboutDialog::openUrl(const QString &url)
{
    CLinkOpener::open(this, QUrl(url));
}

void AboutDialog::mousePressEvent(QMouseEvent *event)
{
    drag.press(event);
}

void AboutDialog::mouseReleaseEvent(QMouseEvent *)
{
    // Releases on the link lines are taken by their labels and never get
    // here, so following a link leaves the box open.
    drag.release();
    accept();
}

void AboutDialog::mouseMoveEvent(QMouseEvent *event)
{
    drag.move(event);
}

void AboutDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, background);
}
