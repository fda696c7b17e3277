// The conversion of dialog units, the window texts, and what a user would see
// wrongly in the laid-out dialogs: missing glyphs and clipped texts.
#include "core/texts_ja.h"
#include "qt_test_support.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/calc_dialog.h"
#include "ui/qt/dialog_layout.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/window_texts.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>

#include <climits>

using namespace veldronix;
using namespace veldronix::qt;
using namespace veldronix::testing;

namespace {

// Every text that is drawn in the dialog font: the templates' controls, the
// selector items and the summaries with their figures.
QStringList textsInTheDialogFont()
{
    QStringList texts;
    for (const auto& control : layout::mainControls) {
        texts << fromUtf8(control.text);
    }
    for (const auto& control : layout::aboutControls) {
        texts << fromUtf8(control.text);
    }
    texts << fromUtf8(layout::IDS_ABOUTBOX.text) << fromUtf8(layout::IDS_DETAILS.text);
    for (const auto item : texts::ja::driveTypeItems) {
        texts << fromUtf8(item);
    }
    for (const auto item : texts::ja::multiplierItems) {
        texts << fromUtf8(item);
    }
    for (const auto format : texts::ja::summaryFormats) {
        texts << fromUtf8(format) + QStringLiteral("0123456789.-infa ");
    }
    return texts;
}

// Where a control's text does not fit its rectangle, a description of it.
QStringList clippedTexts(const QWidget& dialog)
{
    QStringList clipped;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text().isEmpty()) {
            continue;
        }
        const QFontMetrics metrics(label->font());
        const bool fits = label->wordWrap()
                              ? label->heightForWidth(label->width()) <= label->height()
                              : metrics.horizontalAdvance(label->text()) <= label->contentsRect().width() &&
                                    metrics.height() <= label->contentsRect().height();
        if (!fits) {
            clipped << label->text() + QStringLiteral(" (%1 px)").arg(label->width());
        }
    }
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (QFontMetrics(button->font()).horizontalAdvance(button->text()) + 8 > button->width()) {
            clipped << button->text();
        }
    }
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
        if (QFontMetrics(group->font()).horizontalAdvance(group->title()) + 8 > group->width()) {
            clipped << group->title();
        }
    }
    for (const QComboBox* combo : dialog.findChildren<QComboBox*>()) {
        const QFontMetrics metrics(combo->font());
        for (int i = 0; i < combo->count(); ++i) {
            if (metrics.horizontalAdvance(combo->itemText(i)) > combo->lineEdit()->width()) {
                clipped << combo->itemText(i);
            }
        }
    }
    return clipped;
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void mulDivRoundsHalfAwayFromZero_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("numerator");
        QTest::addColumn<int>("denominator");
        QTest::addColumn<int>("expected");
        QTest::newRow("exact") << 40 << 6 << 4 << 60;
        QTest::newRow("half up") << 3 << 7 << 2 << 11;
        QTest::newRow("below half") << 15 << 13 << 8 << 24; // 24.375
        QTest::newRow("negative half") << -3 << 7 << 2 << -11;
        QTest::newRow("negative denominator") << 3 << 7 << -2 << -11;
        QTest::newRow("beyond 32 bits inside") << 100000 << 100000 << 100000 << 100000;
        QTest::newRow("zero denominator") << 5 << 3 << 0 << -1;
        QTest::newRow("result beyond int") << INT_MAX << 2 << 1 << -1;
        QTest::newRow("smallest int") << INT_MIN << 1 << 1 << INT_MIN;
    }

    void mulDivRoundsHalfAwayFromZero()
    {
        QFETCH(int, number);
        QFETCH(int, numerator);
        QFETCH(int, denominator);
        QFETCH(int, expected);
        QCOMPARE(mulDiv(number, numerator, denominator), expected);
    }

    void dialogUnitsScaleEachFigure_data()
    {
        QTest::addColumn<QRect>("units");
        QTest::addColumn<int>("baseX");
        QTest::addColumn<int>("baseY");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("drive type selector") << QRect(123, 15, 77, 55) << 6 << 13 << QRect(185, 24, 116, 89);
        QTest::newRow("the same at 8 x 16") << QRect(123, 15, 77, 55) << 8 << 16 << QRect(246, 30, 154, 110);
        // Right and bottom are not scaled: a width rounds on its own.
        QTest::newRow("odd figures") << QRect(1, 1, 1, 1) << 6 << 12 << QRect(2, 2, 2, 2);
        QTest::newRow("origin") << QRect(0, 0, 319, 442) << 6 << 12 << QRect(0, 0, 479, 663);
    }

    void dialogUnitsScaleEachFigure()
    {
        QFETCH(QRect, units);
        QFETCH(int, baseX);
        QFETCH(int, baseY);
        QFETCH(QRect, pixels);
        const layout::DialogUnitRect rect{units.x(), units.y(), units.width(), units.height()};
        QCOMPARE(toPixels(rect, DialogBaseUnits{baseX, baseY}), pixels);
    }

    void titleIsTheProgramFileWithoutExtension_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("Linux program") << "/usr/local/bin/Veldronix" << "Veldronix";
        QTest::newRow("Windows program") << "C:/Tools/Veldronix.EXE" << "Veldronix";
        QTest::newRow("dot in a folder") << "/opt/v1.0/Veldronix" << "Veldronix";
        QTest::newRow("only the last extension") << "/opt/my.calc.exe" << "my.calc";
        QTest::newRow("Japanese name") << "/opt/算出ツール" << "算出ツール";
    }

    void titleIsTheProgramFileWithoutExtension()
    {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QCOMPARE(titleOfExecutable(path), title);
    }

    void mnemonicMarksAreNotShown_data()
    {
        QTest::addColumn<QString>("marked");
        QTest::addColumn<QString>("displayed");
        QTest::newRow("About item") << "Veldronix のﾊﾞｰｼﾞｮﾝ情報(&A)..." << "Veldronix のﾊﾞｰｼﾞｮﾝ情報(A)...";
        QTest::newRow("doubled") << "R&&D" << "R&D";
        QTest::newRow("tripled") << "&&&x" << "&x";
        QTest::newRow("at the end") << "end&" << "end";
        QTest::newRow("none") << "初速度(単位：PPS)" << "初速度(単位：PPS)";
        QTest::newRow("empty") << "" << "";
    }

    void mnemonicMarksAreNotShown()
    {
        QFETCH(QString, marked);
        QFETCH(QString, displayed);
        QCOMPARE(withoutMnemonicMarks(marked.toStdString()), displayed);
    }

    void dialogFontIsAJapaneseGothic()
    {
        const QString family = QFontInfo(dialogFont()).family();
        QVERIFY2(family == fromUtf8(layout::dialogFont.face) || family.contains(QStringLiteral("Gothic")) ||
                     family.contains(QStringLiteral("ゴシック")) || family.contains(QStringLiteral("CJK")),
                 qPrintable(family));
        QCOMPARE(QFontInfo(dialogFont()).pointSize(), layout::dialogFont.points);
    }

    void everyCharacterHasAGlyph()
    {
        const QFontMetrics metrics(dialogFont());
        QString missing;
        for (const QString& text : textsInTheDialogFont()) {
            for (const char32_t c : text.toUcs4()) {
                if (c != U'\n' && !metrics.inFontUcs4(c) && !missing.contains(QString::fromUcs4(&c, 1))) {
                    missing += QString::fromUcs4(&c, 1);
                }
            }
        }
        QCOMPARE(missing, QString());
    }

    void mainDialogShowsEveryTextWhole()
    {
        CCalcDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(clippedTexts(dialog), QStringList{});
        // The longest results: an asymmetric summary and figures of every field.
        dialog.writeText(ControlId::IDC_SUMMARY,
                         "初速度:4000000で、ドライブ速度:4000000までを0.200秒で直線加速し、\n"
                         "初速度まで0.300秒で直線減速する場合の設定値は以下のようになります。");
        const std::pair<ControlId, const char*> widest[] = {
            {ControlId::IDC_OUT_R, "8000000 "},   {ControlId::IDC_OUT_A, "8000.000 "},  {ControlId::IDC_OUT_SV, "8000.000 "},
            {ControlId::IDC_OUT_V, "8000.000 "},  {ControlId::IDC_OUT_K, "12345.678 "}, {ControlId::IDC_OUT_AO, "8000.000"},
            {ControlId::IDC_OUT_D, "8000.000"},   {ControlId::IDC_OUT_L, "12345.678"},  {ControlId::IDC_DECEL_POINT, "99999.999"},
        };
        for (const auto& [id, text] : widest) {
            dialog.writeText(id, text);
        }
        QCOMPARE(clippedTexts(dialog), QStringList{});
    }

    void everyFieldTakesItsOwnClicks()
    {
        // Where the template lets a static text reach into a field, the field,
        // created first, lies on top as it does on Windows.
        CCalcDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QStringList covered;
        for (const QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QVERIFY2(dialog.rect().contains(child->geometry()), qPrintable(child->objectName()));
            if (child->focusPolicy() == Qt::NoFocus) {
                continue;
            }
            const QRect inside = child->geometry().adjusted(1, 1, -1, -1);
            for (int i = 0; i <= 4; ++i) {
                for (int j = 0; j <= 2; ++j) {
                    const QPoint point(inside.left() + inside.width() * i / 4, inside.top() + inside.height() * j / 2);
                    const QWidget* hit = dialog.childAt(point);
                    if (hit != child && !child->isAncestorOf(hit)) {
                        covered << child->objectName();
                    }
                }
            }
        }
        covered.removeDuplicates();
        QCOMPARE(covered.join(u','), QString());
    }

    void aboutBoxShowsEveryTextWhole()
    {
        CAboutDialog about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(clippedTexts(about), QStringList{});
        QCOMPARE(about.minimumSize(), about.maximumSize());
    }

    // The version line follows the build's version; the Windows About box shows the
    // template's line, which must say the same, so that a new version cannot leave it behind.
    void aboutVersionLineAgreesWithTheTemplate()
    {
        QCOMPARE(aboutVersionLine(), QStringLiteral("Veldronix Version 1.0"));
        QStringList templateLines;
        for (const auto& control : layout::aboutControls) {
            if (control.kind == layout::ControlKind::LabelNoPrefix) {
                templateLines << fromUtf8(control.text);
            }
        }
        QCOMPARE(templateLines, QStringList{aboutVersionLine()});
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
