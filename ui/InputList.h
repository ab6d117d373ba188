#pragma once

#include <QListWidget>
#include <optional>
#include <string>
#include <vector>

namespace zol {

// The input list: entries are native path bytes, kept exactly as added (the shown text is
// only their decoded form). While sorting is on, an entry goes to its sorted place, after
// the entries that compare equal; while off, it goes to the end.
class InputList : public QListWidget {
public:
    explicit InputList(QWidget* parent = nullptr);

    std::vector<std::string> entries() const;
    std::string entry(int row) const;
    void addEntry(const std::string& path);
    void clearEntries();

    bool isSorting() const { return sorting_; }
    // Turning sorting on puts the present entries in order (stable); turning it off keeps them.
    void setSorting(bool on);

    std::optional<std::string> selectedEntry() const;
    int selectedRow() const;

protected:
    // Only the left button selects, as in the system's list box: a right or middle press
    // would select an entry without the click that gives its advice and output name.
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool sorting_ = true;
};

} // namespace zol
