#include "InputList.h"

#include "NativePath.h"
#include "engine/ListOrder.h"

#include <QFile>
#include <QMouseEvent>
#include <algorithm>

namespace zol {

namespace {

constexpr int PathRole = Qt::UserRole;

QListWidgetItem* makeItem(const std::string& path) {
    auto* item = new QListWidgetItem(FromNative(path));
    item->setData(PathRole, QByteArray::fromStdString(path));
    return item;
}

} // namespace

InputList::InputList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

std::string InputList::entry(int row) const {
    return item(row)->data(PathRole).toByteArray().toStdString();
}

std::vector<std::string> InputList::entries() const {
    std::vector<std::string> result;
    result.reserve(count());
    for (int row = 0; row < count(); ++row)
        result.push_back(entry(row));
    return result;
}

void InputList::addEntry(const std::string& path) {
    int row = count();
    if (sorting_) {
        // After the last entry that does not sort after the new one: equal keys keep
        // the order in which they came.
        int lo = 0;
        int hi = count();
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (ListOrderLess(path, entry(mid)))
                hi = mid;
            else
                lo = mid + 1;
        }
        row = lo;
    }
    insertItem(row, makeItem(path));
}

void InputList::clearEntries() {
    clear();
}

void InputList::setSorting(bool on) {
    if (on == sorting_)
        return;
    sorting_ = on;
    if (!on)
        return;
    QListWidgetItem* selected = currentItem();
    std::vector<QListWidgetItem*> items;
    while (count() > 0)
        items.push_back(takeItem(0));
    std::stable_sort(items.begin(), items.end(), [](QListWidgetItem* a, QListWidgetItem* b) {
        return ListOrderLess(a->data(PathRole).toByteArray().toStdString(),
                             b->data(PathRole).toByteArray().toStdString());
    });
    for (QListWidgetItem* item : items)
        addItem(item);
    if (selected)
        setCurrentItem(selected);
}

void InputList::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QListWidget::mousePressEvent(event);
}

int InputList::selectedRow() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

std::optional<std::string> InputList::selectedEntry() const {
    const int row = selectedRow();
    if (row < 0)
        return std::nullopt;
    return entry(row);
}

} // namespace zol
