#include "tapeview/tapeexportprogress.h"

#include "tape/tapeexportjob.h"

#include <QDir>

namespace hitungrama {

namespace {

// A quick export shows no dialog at all.
constexpr int kShowAfterMs = 500;

} // namespace

TapeExportProgress::TapeExportProgress(TapeExportJob *job, const QString &path, QWidget *parent)
    : QProgressDialog(parent), m_job(job)
{
    // It comes up while the user may be typing: it leaves the keyboard
    // where it is.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(tr("Ekspor riwayat"));
    setLabelText(tr("Mengekspor riwayat ke %1…").arg(QDir::toNativeSeparators(path)));
    setCancelButtonText(tr("Batal"));
    setRange(0, 1000);
    setMinimumDuration(kShowAfterMs);
    setAutoClose(false);
    setAutoReset(false);
    m_job->setParent(this);
    connect(m_job, &TapeExportJob::progressed, this, &TapeExportProgress::jobProgressed);
    connect(m_job, &TapeExportJob::finished, this, &TapeExportProgress::jobFinished);
    connect(this, &QProgressDialog::canceled, this, [this] { m_job->cancel(); });
    setValue(0);
}

void TapeExportProgress::jobProgressed(int permille)
{
    if (m_running && !wasCanceled())
        setValue(permille);
}

void TapeExportProgress::jobFinished(int outcome, const QString &error)
{
    m_running = false;
    hide();
    emit done(TapeExport::Outcome(outcome), error);
}

} // namespace hitungrama
