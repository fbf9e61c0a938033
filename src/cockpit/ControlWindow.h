// A small top-level window of controls beside the main window: static texts, separators,
// embossed panels, checkboxes bound to int flags, columns and buttons, placed top to bottom in
// the order they are added. The drawing toolkit stays inside this unit. A program has one.
#pragma once

#include <string>
#include <vector>

struct Control {
    enum Kind { StaticText, Separator, Panel, Checkbox, Slider, Readout, Column, Button };
    Kind kind;
    std::string label;
    int panel = -1;                   // index of the panel holding the control, -1 for none
    int* live = nullptr;              // the flag a checkbox shows and writes (0 or 1), or the
                                      // value a slider shows and writes (low to high)
    int low = 0, high = 1;            // a slider's range
    std::string (*read)() = nullptr;  // a readout's text, asked for a few times a second
    int shown = -1;                   // the flag's value when the window was last drawn
    int id = 0;                       // passed to a button's callback
    void (*callback)(int) = nullptr;  // a button's action
    unsigned char key = 0;            // the key a checkbox types instead of writing its flag
};

class ControlWindow {
public:
    // Opens the window titled `title` with its top-left corner at screen position (x, y), and
    // makes the window that was current before current again.
    ControlWindow(const char* title, int x, int y);

    void add_statictext(const char* label);
    void add_separator();
    // An embossed frame with its label on the top edge; returns its handle for the checkboxes.
    int add_panel(const char* label);
    void add_checkbox_to_panel(int panel, const char* label, int* live);
    // A checkbox that shows `live` and, clicked, types `key` as if it were pressed in this
    // window; the key's action sets the flag.
    void add_key_checkbox_to_panel(int panel, const char* label, int* live, unsigned char key);
    void add_slider_to_panel(int panel, const char* label, int* live, int low, int high);
    // Lines of text that `read` gives, read again every `readout_ms` and redrawn when changed.
    void add_readout_to_panel(int panel, std::string (*read)());
    // Starts a new column to the right, after a dividing bar.
    void add_column();
    void add_button(const char* label, int id, void (*callback)(int));
    // The window asked to redraw after a control changed a flag.
    void set_main_gfx_window(int window) { main_window = window; }
    // Keys pressed while this window has the focus go to the main window's handlers, with the
    // main window current.
    void forward_keys(void (*keyboard)(unsigned char, int, int), void (*special)(int, int, int));

    // Called once per pass of the event loop: asks for a redraw of this window while it has
    // input to handle or just had some, when a bound flag has changed since it was drawn, or
    // when a readout's text has changed at its latest reading.
    void serve();
    // Draws the controls once, handling at most one button press or release.
    void draw();
    // Draws the panel at `index` with its checkboxes; true when one of them was clicked.
    bool draw_panel(int index);

    std::vector<Control> controls;
    int window = 0;       // GLUT identifier
    int main_window = 0;  // GLUT identifier, 0 for none
    void (*keyboard)(unsigned char, int, int) = nullptr;
    void (*special)(int, int, int) = nullptr;
    void (*changed)(int* live) = nullptr;  // told of each flag or value a control has just set
    int frames_due = 0;   // redraws still wanted for input just received
    int readout_ms = 250;   // between readings of the readouts
    int last_reading = -1;  // GLUT's elapsed time at the latest reading
    std::vector<float> column_widths;  // as last drawn, for the separators' length
    std::vector<unsigned char> typed;  // keys clicked in the frame being drawn, sent after it
};
