#include "gui/platform/QtDialogs.h"
#include "gui/widgets/clsDialog.h"

#include "fakes/FakeDialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace tavrola;

namespace {
const QString kLogoFilter = "Images Files(*.jpg;*.png;*.gif)|*.jpg;*.png;*.gif|All Files (*.*)|*.*|";

// Acts on the open-file dialog once it is up, then lets exec() return.
void whenDialogOpens(std::function<void(QFileDialog*)> act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        act(dialog);
    });
}
} // namespace

class TestClsDialog : public QObject {
    Q_OBJECT
private slots:
    void passesTheRequestToTheDialogsService() {
        fakes::FakeDialogs dialogs;
        dialogs.nextOpenFile = "/prog/logo/masjid.gif";
        QWidget owner;
        clsDialog dlg(dialogs);
        const QString chosen =
            dlg.ShowOpen(&owner, "Select Logo Image", "/prog", kLogoFilter, clsDialog::OFN_FILEMUSTEXIST);
        QCOMPARE(chosen, QString("/prog/logo/masjid.gif"));
        QCOMPARE(dialogs.openRequests.size(), std::size_t(1));
        const OpenFileRequest r = dialogs.openRequests.front();
        QCOMPARE(QString::fromStdString(r.title), QString("Select Logo Image"));
        QCOMPARE(QString::fromStdString(r.initialFolder), QString("/prog"));
        QVERIFY(r.mustExist);
        QCOMPARE(r.owner, static_cast<void*>(&owner));
        QCOMPARE(r.filters.size(), std::size_t(2));
        QCOMPARE(QString::fromStdString(r.filters[1].second), QString("*.*"));

        dialogs.nextOpenFile.clear(); // cancelled
        QCOMPARE(dlg.ShowOpen(&owner, "T", "/prog", kLogoFilter.chopped(1), 0), QString());
        QVERIFY(!dialogs.openRequests.back().mustExist);
        QCOMPARE(dialogs.openRequests.back().filters, r.filters);
    }

    void qtDialogStartsInTheFolderAndOffersBothTypes() {
        QTemporaryDir dir;
        QFile picture(dir.filePath("logo.gif"));
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.close();
        QtDialogs dialogs;
        clsDialog dlg(dialogs);

        whenDialogOpens([&](QFileDialog* d) {
            QCOMPARE(d->directory().absolutePath(), QDir(dir.path()).absolutePath());
            QCOMPARE(d->fileMode(), QFileDialog::ExistingFile);
            QCOMPARE(d->nameFilters().size(), 2);
            QCOMPARE(d->windowTitle(), QString("Select Logo Image"));
            d->selectFile(picture.fileName());
            QMetaObject::invokeMethod(d, "accept");
        });
        const QString chosen = dlg.ShowOpen(nullptr, "Select Logo Image", dir.path(), kLogoFilter, 4096);
        QCOMPARE(QFileInfo(chosen).canonicalFilePath(), QFileInfo(picture).canonicalFilePath());

        whenDialogOpens([](QFileDialog* d) { d->reject(); });
        QCOMPARE(dlg.ShowOpen(nullptr, "Select Logo Image", dir.path(), kLogoFilter, 4096), QString());
    }
};

QTEST_MAIN(TestClsDialog)
#include "tst_clsdialog.moc"
