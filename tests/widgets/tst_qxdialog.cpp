#include "qxdialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <memory>

namespace {
const QPoint kStart(100, 100);

std::unique_ptr<QxDialog> makeDialog()
{
    auto dialog = std::make_unique<QxDialog>(nullptr);
    dialog->resize(200, 120);
    dialog->move(kStart);
    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog.get()))
        return nullptr;
    return dialog;
}

void sendMouse(QWidget *target, QEvent::Type type, QPoint local, Qt::MouseButton button,
               Qt::MouseButtons held, QPoint globalShift = {})
{
    const QPointF at(local);
    QMouseEvent event(type, at, target->mapToGlobal(at) + globalShift, button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

// A move with the buttons held, the pointer shifted by `shift` on screen from
// where `local` was at the press.
void dragBy(QWidget *target, QPoint local, QPoint shift, Qt::MouseButtons held, QPoint origin)
{
    const QPointF at(local);
    QMouseEvent event(QEvent::MouseMove, at, QPointF(origin + local + shift), Qt::NoButton, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}
} // namespace

class TestQxDialog final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hidesSystemFrame();
    void leftDragMoves();
    void otherButtonsDoNotDrag_data();
    void otherButtonsDoNotDrag();
    void releaseOfAnyButtonEndsDrag();
    void pressOnChild_data();
    void pressOnChild();
    void shapeFromImage_data();
    void shapeFromImage();
    void shapeFromMissingImage();
    void compositorMovesWhereItCan();
    void platformsWithMasks_data();
    void platformsWithMasks();
};

void TestQxDialog::hidesSystemFrame()
{
    QxDialog dialog(nullptr, Qt::WindowStaysOnTopHint);
    QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(dialog.windowType(), Qt::Dialog);
#ifdef Q_OS_WIN
    // The window's mask hides the frame.
    QVERIFY(!(dialog.windowFlags() & Qt::FramelessWindowHint));
#else
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
#endif
}

void TestQxDialog::leftDragMoves()
{
    auto dialog = makeDialog();
    QVERIFY(dialog);
    const QPoint origin = dialog->mapToGlobal(QPoint(0, 0));
    const QPoint start = dialog->pos();

    sendMouse(dialog.get(), QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    dragBy(dialog.get(), {10, 10}, {30, 20}, Qt::LeftButton, origin);
    QTRY_COMPARE(dialog->pos(), start + QPoint(30, 20));
    // The pointer keeps its offset on later moves too.
    dragBy(dialog.get(), {10, 10}, {-15, 45}, Qt::LeftButton, origin);
    QTRY_COMPARE(dialog->pos(), start + QPoint(-15, 45));

    sendMouse(dialog.get(), QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton, Qt::NoButton);
    const QPoint afterDrag = dialog->pos();
    dragBy(dialog.get(), {10, 10}, {200, 200}, Qt::LeftButton, origin);
    QCoreApplication::processEvents();
    QCOMPARE(dialog->pos(), afterDrag);
}

void TestQxDialog::otherButtonsDoNotDrag_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
}

void TestQxDialog::otherButtonsDoNotDrag()
{
    QFETCH(Qt::MouseButton, button);
    auto dialog = makeDialog();
    QVERIFY(dialog);
    const QPoint origin = dialog->mapToGlobal(QPoint(0, 0));
    const QPoint start = dialog->pos();

    sendMouse(dialog.get(), QEvent::MouseButtonPress, {10, 10}, button, button);
    dragBy(dialog.get(), {10, 10}, {30, 20}, button, origin);
    // Not even the left button joining later: no left press started a drag.
    dragBy(dialog.get(), {10, 10}, {40, 20}, button | Qt::LeftButton, origin);
    QCoreApplication::processEvents();
    QCOMPARE(dialog->pos(), start);
}

void TestQxDialog::releaseOfAnyButtonEndsDrag()
{
    auto dialog = makeDialog();
    QVERIFY(dialog);
    const QPoint origin = dialog->mapToGlobal(QPoint(0, 0));
    const QPoint start = dialog->pos();

    sendMouse(dialog.get(), QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(dialog.get(), QEvent::MouseButtonRelease, {10, 10}, Qt::RightButton,
              Qt::LeftButton);
    dragBy(dialog.get(), {10, 10}, {30, 20}, Qt::LeftButton, origin);
    QCoreApplication::processEvents();
    QCOMPARE(dialog->pos(), start);
}

void TestQxDialog::pressOnChild_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("moves");
    QTest::newRow("push button") << "button" << false;
    QTest::newRow("line edit") << "edit" << false;
    QTest::newRow("plain label") << "label" << true;
}

void TestQxDialog::pressOnChild()
{
    QFETCH(QString, kind);
    QFETCH(bool, moves);
    auto dialog = makeDialog();
    QVERIFY(dialog);
    QWidget *child = nullptr;
    if (kind == QLatin1String("button"))
        child = new QPushButton(QStringLiteral("OK"), dialog.get());
    else if (kind == QLatin1String("edit"))
        child = new QLineEdit(dialog.get());
    else
        child = new QLabel(QStringLiteral("Plain words"), dialog.get());
    child->setGeometry(20, 20, 100, 30);
    child->show();
    const QPoint origin = child->mapToGlobal(QPoint(0, 0));
    const QPoint start = dialog->pos();

    // Through QApplication, so that ignored events go on to the dialog.
    QTest::mousePress(child, Qt::LeftButton, {}, QPoint(10, 10));
    dragBy(child, {10, 10}, {30, 20}, Qt::LeftButton, origin);
    QCoreApplication::processEvents();
    QCOMPARE(dialog->pos(), moves ? start + QPoint(30, 20) : start);
    QTest::mouseRelease(child, Qt::LeftButton, {}, QPoint(10, 10));
}

void TestQxDialog::shapeFromImage_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("inside");

    QTest::newRow("opaque: corner") << "opaque" << QPoint(0, 0) << true;
    QTest::newRow("opaque: far corner") << "opaque" << QPoint(39, 29) << true;
    QTest::newRow("border: corner") << "border" << QPoint(0, 0) << false;
    QTest::newRow("border: last border pixel") << "border" << QPoint(3, 3) << false;
    QTest::newRow("border: transparent white") << "border" << QPoint(39, 29) << false;
    QTest::newRow("border: first opaque pixel") << "border" << QPoint(4, 4) << true;
    QTest::newRow("border: alpha 1") << "border" << QPoint(10, 10) << true;
    QTest::newRow("border: alpha 254") << "border" << QPoint(11, 10) << true;
}

void TestQxDialog::shapeFromImage()
{
    QFETCH(QString, kind);
    QFETCH(QPoint, point);
    QFETCH(bool, inside);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QImage picture(40, 30, QImage::Format_ARGB32);
    picture.fill(qRgba(20, 30, 40, 255));
    if (kind == QLatin1String("border")) {
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (x < 4 || y < 4 || x >= 36 || y >= 26)
                    // Fully transparent pixels need not be black in the file.
                    picture.setPixel(x, y, (x + y) % 2 ? qRgba(255, 255, 255, 0) : 0u);
            }
        }
        picture.setPixel(10, 10, qRgba(200, 0, 0, 1));
        picture.setPixel(11, 10, qRgba(200, 0, 0, 254));
    }
    const QString path = folder.filePath(QStringLiteral("shape.png"));
    QVERIFY(picture.save(path));

    QxDialog dialog(nullptr);
    dialog.resize(300, 300);
    dialog.setShapeFromImage(path);
    QCOMPARE(dialog.size(), QSize(40, 30));
    QCOMPARE(dialog.mask().contains(point), inside);
}

void TestQxDialog::shapeFromMissingImage()
{
    QxDialog dialog(nullptr);
    dialog.resize(300, 200);
    dialog.setShapeFromImage(QStringLiteral(":/images/no_such_picture.png"));
    QCOMPARE(dialog.size(), QSize(300, 200));
    QVERIFY(dialog.mask().isEmpty());
}

void TestQxDialog::compositorMovesWhereItCan()
{
    auto dialog = makeDialog();
    QVERIFY(dialog);
    const QPoint origin = dialog->mapToGlobal(QPoint(0, 0));
    const QPoint start = dialog->pos();

    // Wayland ignores a client's own move(): the compositor must take over.
    QList<QWindow *> asked;
    const FramelessWindow::SystemMove saved = FramelessWindow::systemMove();
    FramelessWindow::systemMove() = [&asked](QWindow *window) {
        asked << window;
        return true;
    };
    sendMouse(dialog.get(), QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    // A press alone hands nothing over: a click must stay a click.
    QVERIFY(asked.isEmpty());
    dragBy(dialog.get(), {10, 10}, {30, 20}, Qt::LeftButton, origin);
    dragBy(dialog.get(), {10, 10}, {60, 40}, Qt::LeftButton, origin);
    sendMouse(dialog.get(), QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton, Qt::NoButton);
    FramelessWindow::systemMove() = saved;

    QCOMPARE(asked, QList<QWindow *>{dialog->windowHandle()});
    QCoreApplication::processEvents();
    QCOMPARE(dialog->pos(), start);

    // Where the compositor has no move, the window follows by itself.
    sendMouse(dialog.get(), QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    dragBy(dialog.get(), {10, 10}, {30, 20}, Qt::LeftButton, origin);
    QTRY_COMPARE(dialog->pos(), start + QPoint(30, 20));
}

void TestQxDialog::platformsWithMasks_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<bool>("masks");
    QTest::newRow("X11") << "xcb" << true;
    QTest::newRow("Windows") << "windows" << true;
    QTest::newRow("offscreen") << "offscreen" << true;
    QTest::newRow("Wayland") << "wayland" << false;
    QTest::newRow("Wayland with EGL") << "wayland-egl" << false;
}

void TestQxDialog::platformsWithMasks()
{
    QFETCH(QString, platform);
    QFETCH(bool, masks);
    QCOMPARE(FramelessWindow::platformTakesMasks(platform), masks);
}

QTEST_MAIN(TestQxDialog)
#include "tst_qxdialog.moc"
