// CCatalogItem: one record of the station catalogue, a station or a folder.
// The station tree owns the records; the player view, the main frame and the
// presets read them. A record names the folder record it sits in, and a
// station's caption path is built from that chain when asked for, so that a
// long caption high up is never copied into every station below it. Copying
// copies five strings (a copy shares its parent with the original).
#pragma once

#include "MyString.h"

#include <cstdint>

struct CCatalogItem
{
    static constexpr int32_t kFolder = 0;
    static constexpr int32_t kStation = 1;
    // The address of every folder record.
    static constexpr const char* kFolderAddress = "Folder";

    int32_t m_nKind = kFolder;
    // 1 when the station is a web page for the browser rather than a stream.
    int32_t m_nWeb = 0;
    // Full path of the item's cached icon file; empty when it names none.
    CMyString m_strIconFile;
    // The item's caption (a category: its name).
    CMyString m_strCaption;
    // The record of the menu or category the item sits in; null for a category.
    const CCatalogItem* m_pParent = nullptr;
    // Categories: the caption of the category file's top menu, where the
    // caption paths of its stations begin.
    CMyString m_strPathRoot;
    // Stations: the stream or page address; folders: kFolderAddress.
    CMyString m_strAddress;
    // The caption in lower case: the key of the station search.
    CMyString m_strSearchName;
    // The tree's handle of the item that shows this record.
    uintptr_t m_hTreeItem = 0;

    bool IsFolder() const { return m_strAddress == kFolderAddress; }
    // Stations: the captions from the category's top menu down to the station,
    // joined with "\"; empty for folders.
    CMyString GetCaptionPath() const;
};
