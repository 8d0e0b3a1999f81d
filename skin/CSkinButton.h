#pragma once
#include <string>
#include "framework/CButton.h"
#include "skin/CSkinBackground.h"

// A push button painted over the parent's pixels: a raised frame, or a
// sunken one while pressed, the text in the skin's text colour and a focus
// rectangle. Attached to an existing dialog button by subclassing, which
// makes it owner-drawn.
class CSkinButton : public CButton, public CSkinBackground {
public:
    CSkinButton() = default;

protected:
    void PreSubclassWindow() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnDrawItemReflect(DRAWITEMSTRUCT* item) override;

    virtual void DrawItem(const DRAWITEMSTRUCT* item);

    int m_focusShown = 0;  // the ODS_FOCUS bit as last reported

private:
    void DrawPressed(HDC dc, const RECT& rc, std::string& text) const;
    void DrawNormal(HDC dc, const RECT& rc, std::string& text) const;
};
