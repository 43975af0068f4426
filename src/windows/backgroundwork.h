#pragma once

#include <QString>

#include <cstddef>
#include <functional>

class QWidget;

// Long work off the event loop, so that windows stay painted: a busy cursor at once, and
// after 200 ms a progress dialog whose Cancel asks the work to stop.
namespace BackgroundWork {

// Called by the work with the steps done so far; false once it should stop.
using Progress = std::function<bool(std::size_t done)>;
// Runs on a worker thread; true when it ran to its end. It must touch nothing that the
// event loop may change meanwhile.
using Work = std::function<bool(const Progress &progress)>;

// Runs `work` of `steps` steps, its dialog titled `title` and saying `label`. True when it
// ran to its end without being cancelled.
bool run(QWidget *parent, const QString &title, const QString &label, std::size_t steps, const Work &work);

} // namespace BackgroundWork
