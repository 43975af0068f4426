#include "backgroundwork.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

bool BackgroundWork::run(QWidget *parent, const QString &title, const QString &label, std::size_t steps,
                         const Work &work)
{
    constexpr int quietMs = 200, refreshMs = 50;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    std::atomic<std::size_t> done { 0 };
    std::atomic<bool> cancelled { false };
    bool whole = false;
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        whole = work([&done, &cancelled](std::size_t steps) {
            done = steps;
            return !cancelled;
        });
    }));
    // The toolkit's own Cancel button, in the toolkit's words.
    QProgressDialog progress(parent);
    progress.setWindowTitle(title);
    progress.setLabelText(label);
    progress.setRange(0, int(steps));
    // What the work was given stays as it was until it ends.
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(quietMs);
    QTimer refresh;
    QObject::connect(&refresh, &QTimer::timeout, &progress, [&] {
        progress.setValue(int(done));
        if (progress.wasCanceled())
            cancelled = true;
    });
    // Work still going after `quietMs` shows the dialog, whatever its steps so far foretell:
    // some work's last stretch, a workbook's compression, takes longer than its steps.
    QTimer::singleShot(quietMs, &progress, &QWidget::show);
    QEventLoop waiting;
    QObject::connect(worker.get(), &QThread::finished, &waiting, &QEventLoop::quit);
    worker->start();
    refresh.start(refreshMs);
    waiting.exec();
    worker->wait();
    progress.reset();
    return whole && !cancelled;
}
