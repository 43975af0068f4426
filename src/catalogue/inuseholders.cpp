#include "inuseholders.h"

#include <algorithm>
#include <iterator>

InUseHolders InUseHolders::of(const QList<InUseHolder> &notices, const QDateTime &now)
{
    InUseHolders holders;
    for (const InUseHolder &notice : notices) {
        const bool refreshed = notice.refreshed.msecsTo(now) <= staleAfterMs;
        (notice.running && refreshed ? holders.live : holders.left) << notice;
    }
    return holders;
}

QList<InUseHolder> InUseHolders::leftByThisUser() const
{
    QList<InUseHolder> own;
    std::copy_if(left.cbegin(), left.cend(), std::back_inserter(own), [](const InUseHolder &notice) { return notice.own; });
    return own;
}
