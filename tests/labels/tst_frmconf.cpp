// The read-back window as the operator uses it: the reader types into txtleitura and
// ends with Enter.
#include "labels/ConfereEtiqueta.h"
#include "labels/FRMCONF.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

class FrmconfTest : public QObject {
    Q_OBJECT
private slots:
    void wrongThenRightReading();
    void escapeGivesUp();
};

void FrmconfTest::wrongThenRightReading()
{
    FRMCONF window;
    QCOMPARE(window.windowTitle(), QStringLiteral("CONFERENCIA DO CÓDIGO DE BARRAS"));
    auto* box = window.findChild<QLineEdit*>(QStringLiteral("txtleitura"));
    auto* lblcod = window.findChild<QLabel*>(QStringLiteral("LBLCOD"));
    auto* label2 = window.findChild<QLabel*>(QStringLiteral("Label2"));
    QVERIFY(box && lblcod && label2);
    QCOMPARE(label2->text(), QString(65, QLatin1Char(' ')) + QStringLiteral("CÓDIGO INVÁLIDO    "));

    bool sawError = false;
    QTimer::singleShot(0, &window, [&] {
        QCOMPARE(window.Label1->text(), LeftLabelPrompt);
        QCOMPARE(lblcod->text(), QStringLiteral("abc123"));
        QTest::keyClicks(box, QStringLiteral("ABC123 "));
        QTest::keyClick(box, Qt::Key_Return);
        sawError = label2->isVisible() && box->text().isEmpty() && window.isVisible();
        QTest::keyClicks(box, QStringLiteral("ABC123"));
        QTest::keyClick(box, Qt::Key_Return);
    });
    QVERIFY(window.confere(LeftLabelPrompt, QStringLiteral("abc123")));
    QVERIFY(sawError);
    QVERIFY(label2->isHidden());
    QVERIFY(lblcod->text().isEmpty());
}

void FrmconfTest::escapeGivesUp()
{
    FRMCONF window;
    QTimer::singleShot(0, &window, [&] {
        QTest::keyClicks(window.txtleitura, QStringLiteral("123"));
        QTest::keyClick(window.txtleitura, Qt::Key_Escape);
    });
    QVERIFY(!window.confere(RightLabelPrompt, QStringLiteral("999")));
}

QTEST_MAIN(FrmconfTest)
#include "tst_frmconf.moc"
