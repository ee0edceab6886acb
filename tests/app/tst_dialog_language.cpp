#include "app/QtOperator.h"
#include "app/Translations.h"
#include "support/DataRows.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>

namespace {
// Every text the next modal dialog shows (labels, buttons, combo-box items); the
// dialog is then closed as if cancelled.
QStringList textsOfNextDialog(const std::function<void()>& open) {
    QStringList texts;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        poll.stop();
        for (auto* b : dialog->findChildren<QAbstractButton*>())
            if (b->isVisible()) texts << b->text();
        for (auto* l : dialog->findChildren<QLabel*>())
            if (l->isVisible()) texts << l->text();
        for (auto* c : dialog->findChildren<QComboBox*>())
            for (int i = 0; i < c->count(); ++i)
                texts << c->itemText(i);
        if (auto* box = qobject_cast<QMessageBox*>(dialog))
            box->done(QMessageBox::No);
        else
            dialog->reject();
    });
    poll.start(20);
    open();
    return texts;
}

// Presses `key` in the next modal dialog.
void pressInNextDialog(Qt::Key key) {
    QTimer::singleShot(0, [key] {
        auto* dialog = QApplication::activeModalWidget();
        if (!dialog) return pressInNextDialog(key);
        QTest::keyClick(dialog, key);
    });
}
} // namespace

// Qt's own dialogs in the operators' language on a machine whose locale is not
// Portuguese (main() runs this test under LANG=C).
class tst_dialog_language : public QObject {
    Q_OBJECT
  private slots:
    void standardDialogsArePortuguese_data() { addRowsFrom(DATA_DIR "/dialog-texts.txt"); }
    void standardDialogsArePortuguese() {
        const DataRow r = dataRow();
        const QString dialog = r["dialog"];
        QtOperator op;
        const QStringList texts = textsOfNextDialog([&] {
            if (dialog == "question")
                QVERIFY(!op.askYesNo("PEDIDO JÁ IMPORTADO!", "VORLA", Operator::Icon::Question));
            if (dialog == "message") op.message("Pronto", "VORLA", Operator::Icon::Information);
            if (dialog == "input") QVERIFY(!op.inputBox("Volume:", "VORLA", QString()));
            if (dialog == "printer") QVERIFY(!op.choosePrinter({"file:/tmp"}, "file:/tmp"));
            if (dialog == "file") QVERIFY(!op.openFile("Abrir pedido", "Texto (*.txt)"));
            if (dialog == "page") QVERIFY(!op.choosePagePrinter());
        });
        for (const QString& text : r["portuguese"].split(';'))
            QVERIFY2(texts.contains(text), qPrintable(texts.join(" | ")));
        for (const QString& text : r["english"].split(';', Qt::SkipEmptyParts))
            QVERIFY2(!texts.contains(text), qPrintable(texts.join(" | ")));
    }

    // The open-file dialog's list: its column headers, a file's date and a folder's type
    // in Portuguese.
    void fileListIsPortuguese() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("pedidos"));
        QFile file(dir.filePath("pedido.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.setFileTime(QDateTime(QDate(2026, 12, 7), QTime(9, 30)), QFileDevice::FileModificationTime));
        file.close();
        QtOperator op;
        op.setStartFolder(dir.path());
        QStringList seen;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            auto* files = dialog ? dialog->findChild<QFileSystemModel*>() : nullptr;
            auto* view = dialog ? dialog->findChild<QTreeView*>() : nullptr;
            if (!files || !view) return;
            auto* proxy = qobject_cast<QAbstractProxyModel*>(view->model());
            auto shown = [&](const QString& path, int column) {
                const QModelIndex index = files->index(path, column);
                return (proxy ? proxy->mapFromSource(index) : index).data().toString();
            };
            if (shown(file.fileName(), 3).isEmpty() || shown(dir.filePath("pedidos"), 2).isEmpty())
                return; // the list is filled in the background
            poll.stop();
            seen << view->model()->headerData(0, Qt::Horizontal).toString()
                 << view->model()->headerData(3, Qt::Horizontal).toString() << shown(file.fileName(), 3)
                 << shown(dir.filePath("pedidos"), 2);
            dialog->reject();
        });
        poll.start(20);
        QVERIFY(!op.openFile("Abrir pedido", "Texto (*.txt)"));
        QCOMPARE(seen, (QStringList{"Nome", "Data de modificação", "07/12/2026 09:30", "Pasta"}));
    }

    // A question answered with Enter out of habit, or by a barcode reader, says "Não".
    void enterAnswersNo() {
        QtOperator op;
        pressInNextDialog(Qt::Key_Return);
        QVERIFY(!op.askYesNo("Enviar a etiqueta assim mesmo?", "VORLA", Operator::Icon::Question));
    }
};

int main(int argc, char** argv) {
    qputenv("LANG", "C");
    qputenv("LC_ALL", "C");
    qunsetenv("LANGUAGE");
    QApplication app(argc, argv);
    if (!installPortugueseDialogs(app)) return 2;
    tst_dialog_language test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_dialog_language.moc"
