// The start-up bench's floor for kestova's big catalogue: a plain QTreeView
// over a QStandardItemModel holding the same stations as the bench's catalogue
// (one category "Radio" with "Station 0" ... "Station <n-1>", expanded), in a
// window of kestova's size. Reports its first paint, then idles.
//   FloorTree [station count]        (default 30000)
#include "FloorClock.h"
#include "MainFrameLayout.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTreeView>
#include <cstdlib>

namespace {

class CTimedTree : public QTreeView
{
protected:
    void paintEvent(QPaintEvent* pEvent) override
    {
        QTreeView::paintEvent(pEvent);
        m_markFirstPaint();
    }

private:
    CFirstPaintMark m_markFirstPaint;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int nCount = argc > 1 ? std::atoi(argv[1]) : 30000;
    QStandardItemModel model;
    auto* pCategory = new QStandardItem(QStringLiteral("Radio"));
    QList<QStandardItem*> stations;
    stations.reserve(nCount);
    for (int i = 0; i < nCount; ++i)
        stations.append(new QStandardItem(QStringLiteral("Station %1").arg(i)));
    pCategory->appendRows(stations);
    model.appendRow(pCategory);

    CTimedTree tree;
    tree.setHeaderHidden(true);
    tree.setUniformRowHeights(true);
    tree.setModel(&model);
    tree.expand(model.index(0, 0));
    tree.resize(CMainFrameLayout::kWidth, CMainFrameLayout::kHeight);
    tree.show();
    return app.exec();
}
