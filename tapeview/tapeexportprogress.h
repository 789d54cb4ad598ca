#pragma once

#include "tape/tapeexport.h"

#include <QProgressDialog>

namespace hitungrama {

class TapeExportJob;

// The progress of one export, with Cancel; it holds the export job as its
// child, so that closing the tape window or ending
// the program cancels the export. It shows itself only when the export takes
// a moment; done() follows once the job has ended: written, failed or
// cancelled (the file is then left as it was).
class TapeExportProgress : public QProgressDialog {
    Q_OBJECT

public:
    TapeExportProgress(TapeExportJob *job, const QString &path, QWidget *parent);

    bool isRunning() const { return m_running; }

signals:
    void done(hitungrama::TapeExport::Outcome outcome, const QString &error);

private:
    void jobProgressed(int permille);
    void jobFinished(int outcome, const QString &error);

    TapeExportJob *m_job;
    bool m_running = true;
};

} // namespace hitungrama
