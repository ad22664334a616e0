#pragma once
// The small images of the history and variables lists, drawn at run time:
// 0 the pane's icon (a clock for the history, a boxed x for the variables),
// 1 the mark in front of every item, 2 the image of a dragged item. Each is 16
// pixels square.

#include <array>

#include <QIcon>
#include <QPixmap>

class CPaneImageList {
public:
    enum class Kind { History, Variables };
    static constexpr int kPaneIcon = 0;
    static constexpr int kItemMark = 1;
    static constexpr int kDragImage = 2;
    static constexpr int kImageSize = 16;

    explicit CPaneImageList(Kind kind);

    Kind GetKind() const { return m_kind; }
    int Count() const { return static_cast<int>(m_images.size()); }
    // Image index; a null pixmap for any other index.
    const QPixmap& Pixmap(int index) const;
    QIcon Icon() const { return QIcon(Pixmap(kPaneIcon)); }

private:
    Kind m_kind;
    std::array<QPixmap, 3> m_images;
};
