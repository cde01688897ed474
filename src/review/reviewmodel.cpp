#include "review/reviewmodel.h"

#include "review/reviewtext.h"

namespace vorlane {

void ReviewListModel::show(const RecordStore *store)
{
    beginResetModel();
    m_store = store;
    m_rows = store ? int(store->count()) : 0;
    endResetModel();
}

void ReviewListModel::setItemSize(QSize size)
{
    beginResetModel();
    m_itemSize = size;
    endResetModel();
}

int ReviewListModel::longestRow() const
{
    int best = -1;
    qsizetype length = -1;
    for (int i = 0; i < m_rows; ++i) {
        const qsizetype l = m_store->view(i).size();
        if (l > length) {
            length = l;
            best = i;
        }
    }
    return best;
}

int ReviewListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_rows; }

QVariant ReviewListModel::data(const QModelIndex &index, int role) const
{
    if (!m_store || !index.isValid() || index.row() >= m_rows)
        return {};
    if (role == Qt::SizeHintRole)
        return m_itemSize.isValid() ? QVariant(m_itemSize) : QVariant();
    if (role != Qt::DisplayRole)
        return {};
    RecordFieldSlots fields;
    SplitRecordLine(m_store->at(index.row()), kFieldCount, fields);
    return ReviewListItem(fields);
}

}  // namespace vorlane
