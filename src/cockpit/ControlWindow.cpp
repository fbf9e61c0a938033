#include "cockpit/ControlWindow.h"

#include <imgui.h>
#include <imgui_impl_glut.h>
#include <imgui_impl_opengl2.h>

#include <algorithm>
#include <cfloat>
#include <deque>

#include "platform/GL.h"
#include "platform/GLExt.h"

namespace {

// The one control window: GLUT's callbacks are plain functions.
ControlWindow* active = nullptr;

// Redraws after input, so that hover and press highlights settle.
constexpr int settle_frames = 2;

// Pointer events in arrival order. A press and its release often arrive within one pass of the
// event loop; each is handled in a frame of its own, so that no click is lost.
struct PointerEvent {
    float x, y;
    int button;  // 0 left, 1 right, 2 middle; -1 for a move
    bool down;
};
std::deque<PointerEvent> pending;

// GLUT makes a window current for its callback and leaves it so, and some of GLUT's deferred
// work (full screen above all) acts on whatever window is current when it is done. Each of this
// window's callbacks therefore ends with the main window current again.
void main_window_current()
{
    if (active->main_window) glutSetWindow(active->main_window);
}

void queue(const PointerEvent& event)
{
    pending.push_back(event);
    active->frames_due = settle_frames;
}

void on_mouse(int button, int state, int x, int y)
{
    const int index = button == GLUT_LEFT_BUTTON     ? 0
                      : button == GLUT_RIGHT_BUTTON  ? 1
                      : button == GLUT_MIDDLE_BUTTON ? 2
                                                     : -1;
    queue({float(x), float(y), index, index >= 0 && state == GLUT_DOWN});
    main_window_current();
}

void on_motion(int x, int y)
{
    queue({float(x), float(y), -1, false});
    main_window_current();
}

void on_entry(int state)
{
    if (state == GLUT_LEFT) queue({-FLT_MAX, -FLT_MAX, -1, false});
    main_window_current();
}

void on_reshape(int w, int h)
{
    ImGui_ImplGLUT_ReshapeFunc(w, h);
    active->frames_due = settle_frames;
    main_window_current();
}

void on_display()
{
    active->draw();
    main_window_current();
}

void on_key(unsigned char key, int x, int y)
{
    if (!active->keyboard || !active->main_window) return;
    glutSetWindow(active->main_window);
    active->keyboard(key, x, y);
}

void on_special_key(int key, int x, int y)
{
    if (!active->special || !active->main_window) return;
    glutSetWindow(active->main_window);
    active->special(key, x, y);
}

// Applies the queued moves up to and including the next button event.
void take_pointer_events(ImGuiIO& io)
{
    while (!pending.empty()) {
        const PointerEvent event = pending.front();
        pending.pop_front();
        io.MousePos = ImVec2(event.x, event.y);
        if (event.button >= 0) {
            io.MouseDown[event.button] = event.down;
            return;
        }
    }
}

// Shows the value's current setting and writes a new one when the control is used; true then.
// A readout shows its latest text.
bool draw_setting(Control& c)
{
    bool used = false;
    if (c.kind == Control::Readout) {
        ImGui::TextUnformatted(c.label.c_str());
        return false;
    }
    if (c.kind == Control::Slider) {
        ImGui::SetNextItemWidth(72);
        used = ImGui::SliderInt(c.label.c_str(), c.live, c.low, c.high);
    } else {
        bool ticked = *c.live != 0;
        used = ImGui::Checkbox(c.label.c_str(), &ticked);
        if (used && c.key) {  // the key's action sets the flag, once the frame is drawn
            if (active) active->typed.push_back(c.key);
            c.shown = *c.live;
            return true;
        }
        if (used) *c.live = ticked ? 1 : 0;
    }
    if (used && active && active->changed) active->changed(c.live);
    c.shown = *c.live;
    return used;
}

// A sunken line: dark, with a light one below or to the right of it.
void embossed_line(ImVec2 from, ImVec2 to)
{
    ImDrawList* list = ImGui::GetWindowDrawList();
    const ImVec2 step = from.x == to.x ? ImVec2(1, 0) : ImVec2(0, 1);
    list->AddLine(from, to, IM_COL32(128, 128, 128, 255));
    list->AddLine(ImVec2(from.x + step.x, from.y + step.y), ImVec2(to.x + step.x, to.y + step.y),
                  IM_COL32(255, 255, 255, 255));
}

void embossed_frame(ImVec2 min, ImVec2 max)
{
    ImDrawList* list = ImGui::GetWindowDrawList();
    list->AddRect(ImVec2(min.x + 1, min.y + 1), ImVec2(max.x + 1, max.y + 1),
                  IM_COL32(255, 255, 255, 255));
    list->AddRect(min, max, IM_COL32(128, 128, 128, 255));
}

}  // namespace

ControlWindow::ControlWindow(const char* title, int x, int y)
{
    const int previous = glutGetWindow();
    const int init_x = glutGet(GLUT_INIT_WINDOW_X), init_y = glutGet(GLUT_INIT_WINDOW_Y);
    const int init_w = glutGet(GLUT_INIT_WINDOW_WIDTH), init_h = glutGet(GLUT_INIT_WINDOW_HEIGHT);
    glutInitWindowPosition(x, y);
    glutInitWindowSize(320, 200);  // fitted to the controls after the first frames
    window = glutCreateWindow(title);
    set_swap_interval(0);  // its redraws must never hold the main window's frame up
    glutInitWindowPosition(init_x, init_y);
    glutInitWindowSize(init_w, init_h);

    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.DisplaySize = ImVec2(320, 200);
    ImGui::StyleColorsLight();
    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowRounding = 0;
    style.WindowBorderSize = 0;
    style.Colors[ImGuiCol_WindowBg] = ImVec4(0.83f, 0.83f, 0.83f, 1);
    ImGui_ImplGLUT_Init();
    ImGui_ImplOpenGL2_Init();

    glutDisplayFunc(on_display);
    glutReshapeFunc(on_reshape);
    glutMouseFunc(on_mouse);
    glutMotionFunc(on_motion);
    glutPassiveMotionFunc(on_motion);
    glutEntryFunc(on_entry);
    glutKeyboardFunc(on_key);
    glutSpecialFunc(on_special_key);
    active = this;
    frames_due = settle_frames;
    if (previous) glutSetWindow(previous);
}

void ControlWindow::add_statictext(const char* label)
{
    controls.push_back({Control::StaticText, label});
}

void ControlWindow::add_separator() { controls.push_back({Control::Separator, ""}); }

int ControlWindow::add_panel(const char* label)
{
    controls.push_back({Control::Panel, label});
    return int(controls.size()) - 1;
}

void ControlWindow::add_checkbox_to_panel(int panel, const char* label, int* live)
{
    Control checkbox{Control::Checkbox, label};
    checkbox.panel = panel;
    checkbox.live = live;
    controls.push_back(checkbox);
}

void ControlWindow::add_key_checkbox_to_panel(int panel, const char* label, int* live,
                                              unsigned char key)
{
    add_checkbox_to_panel(panel, label, live);
    controls.back().key = key;
}

void ControlWindow::add_slider_to_panel(int panel, const char* label, int* live, int low, int high)
{
    Control slider{Control::Slider, label};
    slider.panel = panel;
    slider.live = live;
    slider.low = low;
    slider.high = high;
    controls.push_back(slider);
}

void ControlWindow::add_readout_to_panel(int panel, std::string (*read)())
{
    Control readout{Control::Readout, read()};
    readout.panel = panel;
    readout.read = read;
    controls.push_back(readout);
}

void ControlWindow::add_column() { controls.push_back({Control::Column, ""}); }

void ControlWindow::add_button(const char* label, int id, void (*callback)(int))
{
    Control button{Control::Button, label};
    button.id = id;
    button.callback = callback;
    controls.push_back(button);
}

void ControlWindow::forward_keys(void (*keyboard_fn)(unsigned char, int, int),
                                 void (*special_fn)(int, int, int))
{
    keyboard = keyboard_fn;
    special = special_fn;
}

void ControlWindow::serve()
{
    bool stale = std::any_of(controls.begin(), controls.end(), [](const Control& c) {
        return c.live && *c.live != c.shown;
    });
    const int now = glutGet(GLUT_ELAPSED_TIME);
    if (last_reading < 0 || now - last_reading >= readout_ms) {
        last_reading = now;
        for (Control& c : controls) {
            if (!c.read) continue;
            std::string text = c.read();
            if (text != c.label) c.label = std::move(text), stale = true;
        }
    }
    if (frames_due > 0 || stale) glutPostWindowRedisplay(window);
}

void ControlWindow::draw()
{
    ImGuiIO& io = ImGui::GetIO();
    take_pointer_events(io);
    ImGui_ImplOpenGL2_NewFrame();
    ImGui_ImplGLUT_NewFrame();
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(io.DisplaySize);
    ImGui::Begin("controls", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove |
                     ImGuiWindowFlags_NoSavedSettings);

    const ImGuiStyle& style = ImGui::GetStyle();
    bool changed = false;
    std::vector<const Control*> pressed;
    std::vector<float> bars;  // x of each column's dividing bar
    size_t column = 0;
    auto end_column = [&] {
        ImGui::EndGroup();
        if (column_widths.size() <= column) column_widths.resize(column + 1);
        column_widths[column++] = ImGui::GetItemRectSize().x;
    };

    ImGui::BeginGroup();  // all columns
    ImGui::BeginGroup();  // the first column
    for (size_t i = 0; i < controls.size(); ++i) {
        Control& c = controls[i];
        switch (c.kind) {
        case Control::StaticText: ImGui::TextUnformatted(c.label.c_str()); break;
        case Control::Separator: {
            const ImVec2 at = ImGui::GetCursorScreenPos();
            const float width = column < column_widths.size() ? column_widths[column] : 0;
            embossed_line(ImVec2(at.x, at.y + 2), ImVec2(at.x + width, at.y + 2));
            ImGui::Dummy(ImVec2(0, 4));
            break;
        }
        case Control::Panel: changed |= draw_panel(int(i)); break;
        case Control::Checkbox:
        case Control::Slider:
        case Control::Readout:
            if (c.panel < 0) changed |= draw_setting(c);  // else drawn inside its panel
            break;
        case Control::Column:
            end_column();
            ImGui::SameLine(0, 2 * style.ItemSpacing.x);
            bars.push_back(ImGui::GetCursorScreenPos().x - style.ItemSpacing.x);
            ImGui::BeginGroup();
            break;
        case Control::Button:
            if (ImGui::Button(c.label.c_str(), ImVec2(100, 0))) pressed.push_back(&c);
            break;
        }
    }
    end_column();
    ImGui::EndGroup();
    const ImVec2 content_min = ImGui::GetItemRectMin(), content_max = ImGui::GetItemRectMax();
    for (float x : bars) embossed_line(ImVec2(x, content_min.y), ImVec2(x, content_max.y));
    const ImVec2 size(content_max.x - content_min.x + 2 * style.WindowPadding.x,
                      content_max.y - content_min.y + 2 * style.WindowPadding.y);
    ImGui::End();

    ImGui::Render();
    glViewport(0, 0, int(io.DisplaySize.x), int(io.DisplaySize.y));
    const ImVec4 background = style.Colors[ImGuiCol_WindowBg];
    glClearColor(background.x, background.y, background.z, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
    glutSwapBuffers();

    // Like its controls, the window takes the size they need.
    if (int(size.x) != glutGet(GLUT_WINDOW_WIDTH) || int(size.y) != glutGet(GLUT_WINDOW_HEIGHT))
        glutReshapeWindow(int(size.x), int(size.y));
    if (frames_due > 0) --frames_due;

    for (const Control* button : pressed) button->callback(button->id);
    std::vector<unsigned char> keys;
    keys.swap(typed);
    for (unsigned char key : keys) on_key(key, 0, 0);
    if ((changed || !pressed.empty()) && main_window) glutPostWindowRedisplay(main_window);
}

bool ControlWindow::draw_panel(int index)
{
    const float pad = ImGui::GetStyle().ItemSpacing.x;
    const float line = ImGui::GetTextLineHeight();
    const char* label = controls[size_t(index)].label.c_str();
    const ImVec2 top = ImGui::GetCursorScreenPos();

    bool changed = false;
    ImGui::SetCursorScreenPos(ImVec2(top.x + pad, top.y + line + pad * 0.5f));
    ImGui::BeginGroup();
    for (Control& member : controls)
        if (member.panel == index) changed |= draw_setting(member);
    ImGui::EndGroup();

    // The frame, at least as wide as its label, which interrupts its top edge.
    const float label_width = ImGui::CalcTextSize(label).x;
    const ImVec2 inside = ImGui::GetItemRectMax();
    const ImVec2 max(std::max(inside.x, top.x + label_width + 2 * pad) + pad,
                     inside.y + pad * 0.5f);
    embossed_frame(ImVec2(top.x, top.y + line * 0.5f), max);
    ImDrawList* list = ImGui::GetWindowDrawList();
    const ImVec2 label_at(top.x + pad, top.y);
    list->AddRectFilled(ImVec2(label_at.x - 2, label_at.y),
                        ImVec2(label_at.x + label_width + 2, label_at.y + line),
                        ImGui::GetColorU32(ImGuiCol_WindowBg));
    list->AddText(label_at, ImGui::GetColorU32(ImGuiCol_Text), label);

    ImGui::SetCursorScreenPos(top);
    ImGui::Dummy(ImVec2(max.x - top.x + 2, max.y - top.y + 2));
    return changed;
}
