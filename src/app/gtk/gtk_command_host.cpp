#include "app/gtk/gtk_command_host.h"

#include <string>
#include <string_view>

#include "app/gtk/gtk_handles.h"
#include "core/utf8_from_shift_jis.h"

namespace quorvenda {

namespace {

// What ShellExecute returns: above 32 for success, SE_ERR_NOASSOC when nothing opens the file.
constexpr std::intptr_t launchedResult = 33;
constexpr std::intptr_t noAssociationResult = 31;

// The Windows pattern of every file, which GTK would read as "names with a dot".
constexpr std::string_view windowsAllFiles = "*.*";

// The filter list's display text / pattern pairs, in order, as GTK filters.
void addFilters(GtkFileChooser* chooser, std::string_view list) {
    while (!list.empty() && list.front() != '\0') {
        const std::string_view name = list.substr(0, list.find('\0'));
        list.remove_prefix(std::min(list.size(), name.size() + 1));
        const std::string_view patterns = list.substr(0, list.find('\0'));
        list.remove_prefix(std::min(list.size(), patterns.size() + 1));
        GtkFileFilter* filter = gtk_file_filter_new();  // floating: the chooser takes it
        gtk_file_filter_set_name(filter, utf8FromShiftJis(name).c_str());
        std::string_view rest = patterns;
        while (!rest.empty()) {
            const std::string_view pattern = rest.substr(0, rest.find(';'));
            rest.remove_prefix(std::min(rest.size(), pattern.size() + 1));
            gtk_file_filter_add_pattern(filter, pattern == windowsAllFiles ? "*" : std::string(pattern).c_str());
        }
        gtk_file_chooser_add_filter(chooser, filter);
    }
}

// The path as the file system spells it, or nothing when it is empty or not valid UTF-16.
GOwned<gchar> fileNameOf(const char16_t* path) {
    if (path == nullptr || path[0] == u'\0') return nullptr;
    const GOwned<gchar> utf8(g_utf16_to_utf8(reinterpret_cast<const gunichar2*>(path), -1, nullptr, nullptr, nullptr));
    if (!utf8) return nullptr;
    return GOwned<gchar>(g_filename_from_utf8(utf8.get(), -1, nullptr, nullptr, nullptr));
}

// Writes `fileName` into the request's buffer as UTF-16; false when it does not fit, as the dialog fails then.
bool storeChoice(const OpenFileRequest& request, const char* fileName) {
    const GOwned<gchar> utf8(g_filename_to_utf8(fileName, -1, nullptr, nullptr, nullptr));
    if (!utf8) return false;
    glong units = 0;
    const GOwned<gunichar2> utf16(g_utf8_to_utf16(utf8.get(), -1, nullptr, &units, nullptr));
    if (!utf16 || units < 0 || static_cast<std::uint64_t>(units) >= request.fileSize) return false;
    for (glong i = 0; i < units; ++i) request.file[i] = static_cast<char16_t>(utf16.get()[i]);
    request.file[units] = u'\0';
    return true;
}

}  // namespace

int GtkCommandHost::ask(const MessageBoxText& box) {
    const bool question = box.type == questionBoxType;
    GtkWidget* dialog = gtk_message_dialog_new(
        owner_, static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL), question ? GTK_MESSAGE_QUESTION : GTK_MESSAGE_OTHER,
        question ? GTK_BUTTONS_OK_CANCEL : GTK_BUTTONS_OK, "%s", utf8FromShiftJis(box.text).c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), utf8FromShiftJis(box.caption).c_str());
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    // A nested main loop: the clock's timers keep firing while the box is open.
    const gint response = gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
    return response == GTK_RESPONSE_OK ? answerOk : 0;
}

bool GtkCommandHost::chooseFile(const OpenFileRequest& request) {
    const GObjectPtr<GtkFileChooserNative> chooser(gtk_file_chooser_native_new(
        utf8FromShiftJis(request.title).c_str(), owner_, GTK_FILE_CHOOSER_ACTION_OPEN, nullptr, nullptr));
    GtkFileChooser* asChooser = GTK_FILE_CHOOSER(chooser.get());
    addFilters(asChooser, request.filter);
    if (const GOwned<gchar> last = fileNameOf(request.file)) gtk_file_chooser_set_filename(asChooser, last.get());
    if (gtk_native_dialog_run(GTK_NATIVE_DIALOG(chooser.get())) != GTK_RESPONSE_ACCEPT) return false;
    const GOwned<gchar> chosen(gtk_file_chooser_get_filename(asChooser));
    return chosen && storeChoice(request, chosen.get());
}

std::intptr_t GtkCommandHost::open(const char16_t* path) {
    const GOwned<gchar> fileName = fileNameOf(path);
    if (!fileName) return noAssociationResult;
    const GOwned<gchar> uri(g_filename_to_uri(fileName.get(), nullptr, nullptr));
    if (!uri) return noAssociationResult;
    const GObjectPtr<GdkAppLaunchContext> context(
        gdk_display_get_app_launch_context(gtk_widget_get_display(GTK_WIDGET(owner_))));
    GError* error = nullptr;
    const bool launched = g_app_info_launch_default_for_uri(uri.get(), G_APP_LAUNCH_CONTEXT(context.get()), &error);
    const GErrorPtr failure(error);
    return launched ? launchedResult : noAssociationResult;
}

}  // namespace quorvenda
