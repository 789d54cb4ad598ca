#include "tapeview/tapeactions.h"

#include "engine/calculation.h"
#include "tape/tapeexportjob.h"
#include "tape/tapestore.h"
#include "tapeview/tapeexportprogress.h"
#include "tapeview/tapehost.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QStandardPaths>

namespace hitungrama {

namespace {

// Lines still queued go into an export first, as long as the writer takes.
constexpr int kExportWaitMs = 2000;

} // namespace

TapeActions::TapeActions(TapeHost &host, TapeStore &store, QWidget &window)
    : m_host(host), m_store(store), m_window(window)
{
}

bool TapeActions::isBinaryNumeral(const TapeLine &line)
{
    return line.binary || isBinaryConversion(line.expression.toStdString());
}

bool TapeActions::use(const TapeLine &line)
{
    if (isMessageResult(line.result.toStdString())) {
        m_host.refuseInput();
        return false;
    }
    return m_host.useResult(line.result, isBinaryNumeral(line));
}

void TapeActions::copy(const QList<TapeLine> &lines)
{
    if (lines.isEmpty()) {
        m_host.refuseInput();
        return;
    }
    QGuiApplication::clipboard()->setText(TapeExport::plainText(lines), QClipboard::Clipboard);
}

void TapeActions::remove(const QList<TapeLine> &lines)
{
    if (lines.isEmpty()) {
        m_host.refuseInput();
        return;
    }
    QList<qint64> ids;
    ids.reserve(lines.size());
    for (const TapeLine &line : lines)
        ids << line.id;
    m_store.remove(ids);
}

bool TapeActions::ask(const QString &text)
{
    MessageBoxRequest request{text, tr("Riwayat"), MessageButtons::YesNo, MessageIcon::None};
    request.defaultAnswer = MessageAnswer::No;
    return m_host.showMessage(request, &m_window) == MessageAnswer::Yes;
}

void TapeActions::removeAll()
{
    if (ask(tr("Hapus semua baris riwayat?")))
        m_store.removeAll();
}

void TapeActions::exportTape()
{
    if (m_export != nullptr) {
        m_export->show();
        m_export->raise();
        m_export->activateWindow();
        m_host.refuseInput();
        return;
    }
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    //: The name an export suggests for its file, before the extension.
    const QString name = tr("riwayat");
    // The filters in the order of TapeExport::Format; the suffixes are not
    // translated.
    const SaveFileRequest request{tr("Ekspor riwayat"), folder + QLatin1Char('/') + name + QLatin1String(".csv"),
                                  {tr("CSV (*.csv)"), tr("Teks (*.txt)")},
                                  {QStringLiteral("csv"), QStringLiteral("txt")}};
    const SaveFileAnswer chosen = m_host.chooseSaveFile(request, &m_window);
    if (chosen.path.isEmpty())
        return;
    // The file the dialog asked about is the file written.
    const QString path = chosen.path;
    const TapeExport::Format format = TapeExport::formatFor(
        path, chosen.filter == 1 ? TapeExport::Format::Text : TapeExport::Format::Csv);
    m_store.waitForWrites(kExportWaitMs);
    m_export = new TapeExportProgress(new TapeExportJob(m_store, path, format), path, &m_window);
    QObject::connect(m_export, &TapeExportProgress::done, &m_window,
                     [this, path](TapeExport::Outcome outcome, const QString &error) {
                         m_export->deleteLater();
                         m_export = nullptr;
                         if (outcome != TapeExport::Outcome::Failed)
                             return;
                         m_host.showMessage({tr("Riwayat tidak dapat diekspor ke %1.\n%2")
                                                 .arg(QDir::toNativeSeparators(path), error),
                                             tr("Ekspor riwayat"), MessageButtons::Ok, MessageIcon::Exclamation},
                                            &m_window);
                     });
}

void TapeActions::setKeeping(bool on)
{
    m_store.setKeeping(on);
    if (!on && ask(tr("Riwayat tidak disimpan lagi. Hapus juga baris yang sudah tersimpan?")))
        m_store.eraseKept();
}

} // namespace hitungrama
