#pragma once

#include "inusenotice.h"

#include <QDateTime>
#include <QList>

// Who has a catalogue file open, as the notices beside it tell. A copy of this program
// refreshes its notice every minute while it runs: a notice that has not been refreshed for
// five minutes, or whose process on this computer has ended, was left by a program that
// ended, and holds nothing.
struct InUseHolders
{
    static constexpr int refreshMs = 60 * 1000;
    static constexpr qint64 staleAfterMs = 5 * 60 * 1000;

    static InUseHolders of(const QList<InUseHolder> &notices, const QDateTime &now);

    QList<InUseHolder> live;
    QList<InUseHolder> left;
    // The notices left that this user's copies take away.
    QList<InUseHolder> leftByThisUser() const;
};
