// The style of an owner-drawn button and the flags it implies. Style 2 is the
// framed gradient button with a caption, 6 the same split with a drop-down
// arrow part, 12 the bare picture button; the others are plain (1, 7), drop-down
// (3, 4), split (5), frameless (0), check box (9), radio (10), checked-keeping
// (7, 8) and link look (11). A picture style tracks hover and draws pictures.
// A plain value; copying copies a few flags.
#pragma once

class CButtonStyle
{
public:
    static constexpr int kMaxStyle = 12;

    // Applies the style; values outside 0 to 12 are ignored (false).
    bool SetType(int nStyle);
    int GetType() const { return m_nStyle; }

    bool IsPictureStyle() const { return m_bPictureStyle; }
    bool IsDropDown() const { return m_bDropDown; }
    bool IsSplit() const { return m_bSplit; }
    bool IsFrameless() const { return m_bFrameless; }
    bool IsLinkLook() const { return m_bLinkLook; }
    bool IsCheckBox() const { return m_nStyle == 9; }
    bool IsRadio() const { return m_nStyle == 10; }
    bool KeepsChecked() const { return m_nStyle >= 7 && m_nStyle <= 10; }
    bool IsChecked() const { return m_bChecked; }
    void SetChecked(bool bChecked) { m_bChecked = bChecked; }

    bool m_bCentredText = true;
    bool m_bMultiLine = false;
    bool m_bTextShown = true;

private:
    int m_nStyle = 1;
    bool m_bChecked = false;
    bool m_bDropDown = false;
    bool m_bSplit = false;
    bool m_bFrameless = false;
    bool m_bPictureStyle = false;
    bool m_bLinkLook = false;
};
