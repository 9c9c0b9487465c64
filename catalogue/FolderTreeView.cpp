#include "FolderTreeView.h"

#include "CatalogueSource.h"
#include "ColourConvert.h"
#include "FileHandler.h"
#include "Messages.h"
#include "MyDownload.h"
#include "MyMessageBox.h"
#include "QtText.h"
#include "ServerList.h"
#include "SkinFont.h"
#include "SkinInfo.h"
#include "SkinMessages.h"
#include "StationSearch.h"
#include "TreeLayout.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>

namespace {

constexpr int kMessageBoxOk = 1;
constexpr unsigned kMessageBoxTypeOk = 0;

} // namespace

CFolderTreeView::CFolderTreeView(QWidget* pParent)
    : QTreeView(pParent), m_catalogue(m_model), m_crBackground(GetSkinInfo().m_crTreeBg),
      m_crText(GetSkinInfo().m_crTreeText), m_crSelectedText(GetSkinInfo().m_crTreeSelectedText),
      m_crSelectedBackground(GetSkinInfo().m_crTreeSelectedBg),
      m_uFrameMessage(RegisterWindowMessage(kMainFrameMessage))
{
    const unsigned uDownloadMessage = RegisterWindowMessage(kFileDownloadCompleteMessage);
    m_catalogue.SetNotifyWindow(this, uDownloadMessage);
    m_messageMap.Add(uDownloadMessage, [this](uintptr_t wParam, intptr_t lParam) {
        OnIconDownloaded(wParam != 0, static_cast<Handle>(lParam));
        return intptr_t{0};
    });
    SetUpControl();
}

CFolderTreeView::~CFolderTreeView()
{
    // The reader hands its result over by a queued call to this object; it
    // must have ended before the object goes (the call is then dropped).
    if (m_loader.joinable()) {
        m_loader.join();
    }
    // The model and the frame pointer go before the item view does: nothing
    // may report a selection change on the way.
    disconnect(selectionModel(), nullptr, this, nullptr);
    setModel(nullptr);
    if (m_pDocument != nullptr) {
        m_pDocument->RemoveView(this);
    }
}

void CFolderTreeView::SetUpControl()
{
    setFont(MakeSkinFont("Arial", -13, 600));
    QPalette colours = palette();
    colours.setColor(QPalette::Base, ToQColor(m_crBackground));
    colours.setColor(QPalette::Window, ToQColor(m_crBackground));
    colours.setColor(QPalette::Text, ToQColor(m_crText));
    setPalette(colours);
    setModel(&m_model);
    setHeaderHidden(true);
    header()->setStretchLastSection(true);
    setRootIsDecorated(false);
    setIndentation(CTreeLayout::kIndent);
    // One row height for all rows: the view then never measures 30,000 of them.
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(false);
    setAnimated(false);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The splitter keeps the pane this wide while dragging; should the pane
    // end up narrower all the same, resizeEvent takes the width back.
    setMinimumWidth(CTreeLayout::kMinimumWidth);
    // Clicks select without taking the focus; the main frame hands it over.
    setFocusPolicy(Qt::TabFocus);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { PostToFrame(kSelectionChangedCode); });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& index) { OnCollapsed(index); });
}

void CFolderTreeView::SetSplitter(QSplitter* pSplitter)
{
    m_pSplitter = pSplitter;
    if (pSplitter != nullptr && pSplitter->indexOf(this) >= 0) {
        // A collapsed pane keeps its size out of sight, so no resize would snap it back.
        pSplitter->setCollapsible(pSplitter->indexOf(this), false);
    }
}

void CFolderTreeView::SetDocument(CRavelinDoc* pDocument)
{
    if (m_pDocument != nullptr) {
        m_pDocument->RemoveView(this);
    }
    m_pDocument = pDocument;
    if (pDocument != nullptr) {
        pDocument->AddView(this);
    }
}

void CFolderTreeView::OnInitialUpdate()
{
    if (m_bInitialised) {
        return;
    }
    m_bInitialised = true;
    ChooseServer();
    LoadCatalog();
    ShowLoadedCatalogue();
}

void CFolderTreeView::StartInitialUpdate()
{
    if (m_bInitialised || m_loader.joinable()) {
        return;
    }
    const bool bChooseServer = m_catalogue.GetServerBase().IsEmpty();
    m_loader = std::thread([this, bChooseServer] {
        auto pRead = std::make_shared<ReadResult>();
        if (bChooseServer) {
            pRead->strServerBase = FindAnsweringServer(CCatalogue::kProbeFile);
        }
        pRead->pSource = CCatalogueSource::Read(CCatalogue::kIndexFile);
        QMetaObject::invokeMethod(
            this, [this, pRead] { FinishInitialUpdate(*pRead); }, Qt::QueuedConnection);
    });
}

void CFolderTreeView::FinishInitialUpdate(const ReadResult& read)
{
    m_loader.join();
    if (m_bInitialised) {
        return;
    }
    m_bInitialised = true;
    if (m_catalogue.GetServerBase().IsEmpty()) {
        m_catalogue.SetServerBase(read.strServerBase);
    }
    m_catalogue.Build(*read.pSource);
    ShowLoadedCatalogue();
}

void CFolderTreeView::ShowLoadedCatalogue()
{
    for (const Handle hCategory : m_catalogue.GetExpandedItems()) {
        expand(m_model.IndexOf(hCategory));
    }
    verticalScrollBar()->setValue(0);
    PostToFrame(kCatalogueLoadedCode);
}

void CFolderTreeView::showEvent(QShowEvent* pEvent)
{
    QTreeView::showEvent(pEvent);
    StartInitialUpdate();
}

bool CFolderTreeView::event(QEvent* pEvent)
{
    return m_messageMap.Dispatch(pEvent) || QTreeView::event(pEvent);
}

CCatalogItem* CFolderTreeView::GetSelectedItem() const
{
    const Handle hItem = CStationTreeModel::HandleOf(currentIndex());
    return m_catalogue.GetRecordOf(hItem);
}

intptr_t CFolderTreeView::SelectedRecordIndex(intptr_t nNone) const
{
    const Handle hItem = CStationTreeModel::HandleOf(currentIndex());
    return hItem == CStationTreeModel::kRoot ? nNone : m_catalogue.GetRecordIndex(hItem);
}

void CFolderTreeView::SelectItem(Handle hItem)
{
    const QModelIndex index = m_model.IndexOf(hItem);
    if (!index.isValid()) {
        return;
    }
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) {
        expand(parent);
    }
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

bool CFolderTreeView::SelectNextStation()
{
    const intptr_t nFound = CStationSearch::FindNextStation(m_catalogue.GetRecords(), SelectedRecordIndex(0));
    if (nFound < 0) {
        return false;
    }
    SelectItem(m_catalogue.GetRecord(nFound)->m_hTreeItem);
    return true;
}

bool CFolderTreeView::SelectPreviousStation()
{
    const intptr_t nLast = static_cast<intptr_t>(m_catalogue.GetRecordCount()) - 1;
    const intptr_t nFound =
        CStationSearch::FindPreviousStation(m_catalogue.GetRecords(), SelectedRecordIndex(nLast));
    if (nFound < 0) {
        return false;
    }
    SelectItem(m_catalogue.GetRecord(nFound)->m_hTreeItem);
    return true;
}

void CFolderTreeView::FindNext(CMyString* pQuery)
{
    if (pQuery != nullptr) {
        pQuery->MakeLower();
    }
    const intptr_t nFound = CStationSearch::FindMatch(m_catalogue.GetRecords(), SelectedRecordIndex(0),
                                                      pQuery != nullptr ? pQuery->GetBuffer() : nullptr);
    if (nFound >= 0) {
        SelectItem(m_catalogue.GetRecord(nFound)->m_hTreeItem);
        return;
    }
    CMyMessageBox box(kNoResultsText, kMessageBoxTypeOk, this);
    if (box.DoModal() == kMessageBoxOk) {
        PostToFrame(kSearchWebCode);
    }
}

CFolderTreeView::Handle CFolderTreeView::HitTestRow(const QPoint& point) const
{
    if (!viewport()->rect().contains(point)) {
        return CStationTreeModel::kRoot;
    }
    return CStationTreeModel::HandleOf(indexAt(QPoint(0, point.y())));
}

void CFolderTreeView::OnUpdate(CDocumentView*, intptr_t lHint, void* pHint)
{
    if (lHint != CRavelinDoc::kHintKeyToTree) {
        return;
    }
    setFocus();
    if (pHint != nullptr) {
        auto* pKey = static_cast<QKeyEvent*>(pHint);
        OnKeyDown(*pKey);
        delete pKey;
    }
}

void CFolderTreeView::OnKeyDown(QKeyEvent& event)
{
    const int nKey = event.key();
    if (nKey == Qt::Key_Return || nKey == Qt::Key_Enter) {
        // The view's own Enter handling would pass the key on to the frame,
        // which hands every key back here.
        PlaySelection();
        return;
    }
    if (nKey == Qt::Key_Left) {
        CollapseSelection();
    }
    QTreeView::keyPressEvent(&event);
}

void CFolderTreeView::keyPressEvent(QKeyEvent* pEvent)
{
    OnKeyDown(*pEvent);
    pEvent->accept();
}

void CFolderTreeView::focusInEvent(QFocusEvent* pEvent)
{
    // The item view would make its first row current on focus, which would
    // count as a selection that the user never made.
    QAbstractScrollArea::focusInEvent(pEvent);
    viewport()->update();
}

void CFolderTreeView::mousePressEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() != Qt::LeftButton) {
        return;
    }
    const Handle hItem = HitTestRow(pEvent->position().toPoint());
    if (hItem != CStationTreeModel::kRoot) {
        SelectItem(hItem);
        ToggleItem(hItem);
    }
}

void CFolderTreeView::mouseMoveEvent(QMouseEvent*)
{
    // Nothing follows the mouse: no drag selection, no drag and drop.
}

void CFolderTreeView::mouseReleaseEvent(QMouseEvent*) {}

void CFolderTreeView::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton) {
        PlaySelection();
    }
}

void CFolderTreeView::PlaySelection()
{
    if (m_pDocument != nullptr) {
        m_pDocument->UpdateAllViews(this, CRavelinDoc::kHintPlaySelected, nullptr);
    }
}

void CFolderTreeView::CollapseSelection()
{
    const QModelIndex index = currentIndex();
    if (index.isValid()) {
        collapse(index);
    }
}

void CFolderTreeView::ToggleItem(Handle hItem)
{
    const QModelIndex index = m_model.IndexOf(hItem);
    if (m_model.hasChildren(index)) {
        setExpanded(index, !isExpanded(index));
    }
}

void CFolderTreeView::OnCollapsed(const QModelIndex& index)
{
    // A selection inside a folder that closes moves to the folder, so that the
    // selected row stays in sight.
    for (QModelIndex parent = currentIndex().parent(); parent.isValid(); parent = parent.parent()) {
        if (parent == index) {
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
            return;
        }
    }
}

void CFolderTreeView::resizeEvent(QResizeEvent* pEvent)
{
    QTreeView::resizeEvent(pEvent);
    if (m_pSplitter == nullptr || m_pSplitter->count() < 2) {
        return;
    }
    const QList<int> sizes = m_pSplitter->sizes();
    int nTree = 0;
    int nOther = 0;
    if (CTreeLayout::SnapWidths(width(), sizes[0] + sizes[1], nTree, nOther)) {
        m_pSplitter->setSizes({nTree, nOther});
    }
}

void CFolderTreeView::OnIconDownloaded(bool bSuccess, Handle hItem)
{
    if (hItem == CStationTreeModel::kRoot) {
        return;
    }
    const CMyString strFile = m_catalogue.FinishIconDownload(hItem, bSuccess);
    m_pictures.erase(strFile.GetText());
    // Every visible item that shares the file draws it now, not only this one.
    viewport()->update();
}

void CFolderTreeView::PostToFrame(uintptr_t uCode)
{
    PostMessage(m_pFrame, m_uFrameMessage, uCode, 0);
}

void CFolderTreeView::drawRow(QPainter* pPainter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    const Handle hItem = CStationTreeModel::HandleOf(index);
    const QRect row(0, option.rect.top(), viewport()->width(), option.rect.height());
    DrawItem(*pPainter, CTreeLayout::TextRect(row, m_model.GetItemDepth(hItem)), row, hItem);
}

void CFolderTreeView::DrawItem(QPainter& painter, const QRect& text, const QRect& row, Handle hItem) const
{
    const bool bSelected = CStationTreeModel::HandleOf(currentIndex()) == hItem;
    if (bSelected) {
        painter.fillRect(CTreeLayout::SelectionRect(row, text), ToQColor(m_crSelectedBackground));
    }
    DrawIcon(painter, text, row, hItem);
    painter.setFont(font());
    painter.setPen(ToQColor(bSelected ? m_crSelectedText : m_crText));
    const QRect caption = CTreeLayout::CaptionRect(text);
    const QString strText = painter.fontMetrics().elidedText(ToQString(m_model.GetItemText(hItem)),
                                                             Qt::ElideRight, caption.width());
    painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, strText);
}

// The item's own icon when it has been fetched; otherwise the home server's
// default for its kind, or the shipped picture for its kind when no server
// default is at hand (offline, or not fetched yet).
void CFolderTreeView::DrawIcon(QPainter& painter, const QRect& text, const QRect& row, Handle hItem) const
{
    const CCatalogItem* pRecord = m_catalogue.GetRecordOf(hItem);
    if (pRecord == nullptr) {
        return;
    }
    painter.save();
    painter.setClipRect(row);
    const bool bOwn = !pRecord->m_strIconFile.IsEmpty() && CFileHandler::FileExists(pRecord->m_strIconFile);
    if (!bOwn || !DrawPicture(painter, text, pRecord->m_strIconFile)) {
        const bool bFolder = pRecord->IsFolder();
        const QImage image = m_catalogue.GetImageList().GetImage(bFolder ? m_catalogue.GetFolderIconIndex()
                                                                          : m_catalogue.GetStationIconIndex());
        if (!image.isNull()) {
            painter.drawImage(CTreeLayout::IconRect(text, image.size()), image);
        } else {
            DrawPicture(painter, text, bFolder ? kShippedFolderIcon : kShippedStationIcon);
        }
    }
    painter.restore();
}

bool CFolderTreeView::DrawPicture(QPainter& painter, const QRect& text, const CMyString& strFile) const
{
    if (strFile.IsEmpty()) {
        return false;
    }
    CPicture& picture = m_pictures.try_emplace(strFile.GetText()).first->second;
    if (!picture.IsValid()) {
        picture.Load(strFile);
    }
    int nWidth = 0;
    int nHeight = 0;
    if (!picture.GetSize(nWidth, nHeight)) {
        return false;
    }
    picture.Render(painter, CTreeLayout::IconRect(text, QSize(nWidth, nHeight)), true);
    return true;
}
