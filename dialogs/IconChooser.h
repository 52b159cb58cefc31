#pragma once

#include <QTreeWidget>

class CImageList;

// The icon chooser of the dialogs: one column without a header, a row per
// offered icon ("0" .. "45", each with its picture of the icon strip), one
// row at most selected, and the selection drawn as plainly without focus as
// with it. Row n stands for icon number n + 5, the number items and lists
// keep: the tree's image list holds the five check images first.
class CIconChooser : public QTreeWidget
{
    Q_OBJECT

public:
    static constexpr int kColumnWidth = 40;

    explicit CIconChooser(QWidget *parent = nullptr);

    // Puts in the rows, one per offered icon, with pictures from the strip
    // (CImageList::StripOnly()). Replaces any rows there were.
    void Fill(const CImageList &strip);

    // Selects the row alone (an index outside the rows clears the selection).
    void SelectRow(int row);
    // The selected row, or -1 when none is.
    int SelectedRow() const;
    // The icon number of the selected row, or -1 when none is selected.
    int SelectedIcon() const;
    // The row of an icon number; -1 for a number below the strip's icons (a
    // check image), a row past the last for one beyond the offered icons.
    static int RowOfIcon(int icon);
    // Scrolls so that the row can be seen.
    void ScrollRowIntoView(int row);
};
