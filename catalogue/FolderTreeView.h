// CFolderTreeView: the station tree, the left pane of the main window. It
// shows the station catalogue (CCatalogue) on a tree view of its own drawing:
// each row has the item's downloaded icon and its caption in the skin's tree
// colours, the selected row is filled across the whole width. A click anywhere
// on a row selects it and opens or closes it; a double-click or Enter asks the
// player view, through the document, to play the selection (hint 2); Left
// closes the selected folder. It offers the player controls' Next and Previous
// steps and the search bar's station search, and tells the main frame through
// "Kestova_MESSAGE_FOR_MAIN_FRAME": code 1042 on every selection change, 1040
// once the catalogue has loaded, 1041 when the user wants a station search
// without a match taken to the web.
//
// The catalogue loads once, when the view is first shown: a worker picks the
// server and reads the list files while the window paints and answers, then
// the items are built here (OnInitialUpdate does it all at once instead).
// Widgets are not copyable.
#pragma once

#include "Catalogue.h"
#include "CatalogueSource.h"
#include "Colour.h"
#include "DocumentView.h"
#include "MessageMap.h"
#include "Picture.h"
#include "RavelinDoc.h"
#include "StationTreeModel.h"

#include <QPointer>
#include <QTreeView>
#include <memory>
#include <string>
#include <thread>
#include <unordered_map>

class QSplitter;

class CFolderTreeView : public QTreeView, public CDocumentView
{
public:
    using Handle = CStationTreeModel::Handle;

    // The codes posted to the main frame.
    static constexpr uintptr_t kCatalogueLoadedCode = 1040;
    static constexpr uintptr_t kSearchWebCode = 1041;
    static constexpr uintptr_t kSelectionChangedCode = 1042;
    // The pictures shipped for items without an icon of their own.
    static constexpr char kShippedStationIcon[] = "res\\Icons\\Station.ico";
    static constexpr char kShippedFolderIcon[] = "res\\Icons\\Folder.ico";
    static constexpr char kNoResultsText[] = "No results found\nWould you like to try the web?";

    explicit CFolderTreeView(QWidget* pParent = nullptr);
    ~CFolderTreeView() override;

    // The receiver of the codes above.
    void SetFrame(QObject* pFrame) { m_pFrame = pFrame; }
    // The splitter whose first column holds this pane: it keeps the pane at
    // least CTreeLayout::kMinimumWidth wide and never collapses it.
    void SetSplitter(QSplitter* pSplitter);
    // The document that carries hints to the other views; the view adds
    // itself to it (and leaves it when destroyed).
    void SetDocument(CRavelinDoc* pDocument);

    // The first showing: picks the server, loads the catalogue, opens the
    // categories and posts code 1040 to the frame, whatever the load gave.
    // Runs once; later calls do nothing.
    void OnInitialUpdate();
    // The same, with the server chosen and the files read on a worker thread;
    // the rest runs here when they have been read. Runs once.
    void StartInitialUpdate();
    void ChooseServer() { m_catalogue.ChooseServer(); }
    bool LoadCatalog() { return m_catalogue.LoadCatalog(); }

    // The record of the selected item, or null.
    CCatalogItem* GetSelectedItem() const;
    // Select the next or previous station record (folders are skipped); false,
    // leaving the selection, when there is none.
    bool SelectNextStation();
    bool SelectPreviousStation();
    // Selects the next record, from the selection on and round to it, whose
    // caption contains the query (any record for a null or empty query); the
    // query is lower-cased in place. Without a match, offers the web in the
    // message box and posts code 1041 when the user accepts.
    void FindNext(CMyString* pQuery);
    // The key-down handling, also for keys the main frame hands over.
    void OnKeyDown(QKeyEvent& event);
    // The item whose whole row contains the point (viewport coordinates), or 0.
    Handle HitTestRow(const QPoint& point) const;
    // Selects the item, opening the folders above it and scrolling it into view.
    void SelectItem(Handle hItem);

    // Hint 10 hands over a key: pHint is a heap QKeyEvent, which is deleted here.
    void OnUpdate(CDocumentView* pSender, intptr_t lHint, void* pHint) override;

    const CCatalogue& GetCatalogue() const { return m_catalogue; }
    CCatalogue& GetCatalogue() { return m_catalogue; }
    const CStationTreeModel& GetModel() const { return m_model; }

protected:
    bool event(QEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void drawRow(QPainter* pPainter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}

private:
    // What the worker of StartInitialUpdate hands over.
    struct ReadResult
    {
        CMyString strServerBase;
        std::unique_ptr<CCatalogueSource> pSource;
    };

    void SetUpControl();
    void FinishInitialUpdate(const ReadResult& read);
    // Opens the categories and tells the frame that the catalogue has loaded.
    void ShowLoadedCatalogue();
    void DrawItem(QPainter& painter, const QRect& text, const QRect& row, Handle hItem) const;
    void DrawIcon(QPainter& painter, const QRect& text, const QRect& row, Handle hItem) const;
    // Draws the picture file in the icon box; false when it cannot be loaded.
    bool DrawPicture(QPainter& painter, const QRect& text, const CMyString& strFile) const;
    void PlaySelection();
    void CollapseSelection();
    void ToggleItem(Handle hItem);
    void OnCollapsed(const QModelIndex& index);
    void OnIconDownloaded(bool bSuccess, Handle hItem);
    void PostToFrame(uintptr_t uCode);
    // The selected record's index, or nNone when nothing is selected.
    intptr_t SelectedRecordIndex(intptr_t nNone) const;

    CStationTreeModel m_model;
    CCatalogue m_catalogue;
    COLORREF m_crBackground;
    COLORREF m_crText;
    COLORREF m_crSelectedText;
    COLORREF m_crSelectedBackground;
    QPointer<QObject> m_pFrame;
    QPointer<QSplitter> m_pSplitter;
    QPointer<CRavelinDoc> m_pDocument;
    CMessageMap m_messageMap;
    unsigned m_uFrameMessage;
    bool m_bInitialised = false;
    std::thread m_loader;
    // Decoded icon files by path, so that a repaint does not read them again.
    mutable std::unordered_map<std::string, CPicture> m_pictures;
};
