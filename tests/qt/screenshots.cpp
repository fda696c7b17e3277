// Pictures of the dialogs as a user sees them, for a person to look at: the
// main dialog after an asymmetric S-curve calculation, an error message, the
// context menu, the About box and the details window of each drive type and of
// a move too short, written as PNG files to VELDRONIX_SCREENSHOT_DIR.
#include "qt_test_support.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/calc_dialog.h"
#include "ui/qt/details_window.h"

#include <QDir>
#include <QMenu>

using namespace veldronix;
using namespace veldronix::qt;
using namespace veldronix::testing;

class Screenshots : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QByteArray dir = qgetenv("VELDRONIX_SCREENSHOT_DIR");
        folder_ = dir.isEmpty() ? QDir::current().filePath(QStringLiteral("screenshots")) : QString::fromLocal8Bit(dir);
        QVERIFY(QDir().mkpath(folder_));
    }

    void mainDialogAfterCalculate()
    {
        CCalcDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(chooseItem(*control<QComboBox>(dialog, "IDC_DRIVE_TYPE"), 3));
        typeInto(*control<QLineEdit>(dialog, "IDC_INITIAL_SPEED"), QStringLiteral("100"));
        typeInto(*control<QLineEdit>(dialog, "IDC_DRIVE_SPEED"), QStringLiteral("10000"));
        typeInto(*control<QLineEdit>(dialog, "IDC_ACCEL_TIME"), QStringLiteral("0.2"));
        typeInto(*control<QLineEdit>(dialog, "IDC_DECEL_TIME"), QStringLiteral("0.3"));
        typeInto(*control<QLineEdit>(dialog, "IDC_PULSE_COUNT"), QStringLiteral("10000"));
        QTest::mouseClick(control<QPushButton>(dialog, "IDC_CALCULATE"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(dialog, "IDC_COMPUTE_DECEL_POINT"), Qt::LeftButton);
        QCOMPARE(control<QLabel>(dialog, "IDC_DECEL_POINT")->text(), QStringLiteral("8485.000"));
        QVERIFY(dialog.grab().save(folder_ + QStringLiteral("/main_dialog.png")));

        // An error message, grabbed while it is open.
        typeInto(*control<QLineEdit>(dialog, "IDC_DRIVE_SPEED"), QString());
        const auto grabbed = whenShown<QMessageBox>([this](QMessageBox& box) {
            box.grab().save(folder_ + QStringLiteral("/error_message.png"));
            box.accept();
        });
        QTest::mouseClick(control<QPushButton>(dialog, "IDC_CALCULATE"), Qt::LeftButton);
        QVERIFY(*grabbed);

        // The context menu with the About item, closed again with Esc.
        const auto menuGrabbed = whenShown<QMenu>([this](QMenu& menu) {
            menu.grab().save(folder_ + QStringLiteral("/context_menu.png"));
            QTest::keyClick(&menu, Qt::Key_Escape);
        });
        QTest::mouseClick(dialog.windowHandle(), Qt::RightButton, {}, QPoint(dialog.width() / 2, dialog.height() - 3));
        QTRY_VERIFY(*menuGrabbed);
    }

    void detailsWindow_data()
    {
        QTest::addColumn<int>("driveType");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("pulses");
        QTest::newRow("details_type0") << 0 << "100" << "10000";
        QTest::newRow("details_type1") << 1 << "100" << "10000";
        QTest::newRow("details_type2") << 2 << "100" << "10000";
        QTest::newRow("details_type3") << 3 << "100" << "10000";
        QTest::newRow("details_short_move") << 3 << "100" << "1000";
        // Speeds that round to 0: findings on every side.
        QTest::newRow("details_findings") << 1 << "0.1" << "10000";
    }

    void detailsWindow()
    {
        QFETCH(int, driveType);
        QFETCH(QString, initial);
        QFETCH(QString, pulses);
        CCalcDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(chooseItem(*control<QComboBox>(dialog, "IDC_DRIVE_TYPE"), driveType));
        typeInto(*control<QLineEdit>(dialog, "IDC_INITIAL_SPEED"), initial);
        typeInto(*control<QLineEdit>(dialog, "IDC_DRIVE_SPEED"), initial == "100" ? QStringLiteral("10000") : QStringLiteral("0.4"));
        typeInto(*control<QLineEdit>(dialog, "IDC_ACCEL_TIME"), QStringLiteral("0.2"));
        typeInto(*control<QLineEdit>(dialog, "IDC_DECEL_TIME"), QStringLiteral("0.3"));
        typeInto(*control<QLineEdit>(dialog, "IDC_PULSE_COUNT"), pulses);
        QTest::mouseClick(control<QPushButton>(dialog, "IDC_CALCULATE"), Qt::LeftButton);
        dialog.showDetailsWindow();
        CDetailsWindow* window = dialog.detailsWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QString name = folder_ + QStringLiteral("/") + QString::fromLatin1(QTest::currentDataTag());
        QVERIFY(window->grab().save(name + QStringLiteral(".png")));
        // The picture its save button writes as PNG.
        if (window->details().plot) {
            QVERIFY(window->saveTo(name + QStringLiteral("_plot.png")) == name + QStringLiteral("_plot.png"));
        }
    }

    void aboutBox()
    {
        CAboutDialog about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QVERIFY(about.grab().save(folder_ + QStringLiteral("/about_box.png")));
    }

private:
    QString folder_;
};

QTEST_MAIN(Screenshots)
#include "screenshots.moc"
