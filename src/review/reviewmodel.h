#pragma once
// The review list over the batch itself: an item's text is built only when the list
// asks for it, so a batch of any size opens the list at once.
#include "records/recordstore.h"

#include <QAbstractListModel>
#include <QSize>

namespace vorlane {

class ReviewListModel final : public QAbstractListModel {
public:
    explicit ReviewListModel(QObject *parent = nullptr) : QAbstractListModel(parent) {}

    // Shows the lines of the store (nullptr: nothing), as they are now.
    void show(const RecordStore *store);
    // The one size every item takes (the list lays items out as if all were this size);
    // an invalid size lets the list measure.
    void setItemSize(QSize size);
    // The row whose text is the longest: the one to measure for the common size.
    int longestRow() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    const RecordStore *m_store = nullptr;
    int m_rows = 0;
    QSize m_itemSize;
};

}  // namespace vorlane
