// Opening a course-like document of about 50 KB (headings, paragraphs of Kazakh text, tables),
// laying it out and painting its first screen, as the view does when a student picks a topic.
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "htmlview/HtmlView.h"
#include "platform/backends/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"

namespace {

std::string CourseDocument() {
    const std::string paragraph =
        "<p>Статистика — қоғамдық құбылыстардың сандық жағын олардың сапалық мазмұнымен тығыз "
        "байланыста "
        "зерттейтін ғылым. Әлеуметтік-экономикалық статистика халықтың өмір сүру деңгейін, еңбек "
        "нарығын, "
        "үй шаруашылықтарының табысы мен шығысын және ұлттық шоттарды қарастырады.</p>\n";
    std::string html =
        "<html><head><meta charset=\"utf-8\"><style>table{border-collapse:collapse}"
        "td,th{border:1px solid #555;padding:2px 6px}h2{color:#1f3d7a}</style></head><body>";
    int section = 0;
    while (html.size() < 50 * 1024) {
        html += "<h2>" + std::to_string(++section) + ". Өңірлік көрсеткіштер</h2>\n";
        for (int i = 0; i < 3; ++i) html += paragraph;
        html += "<table><tr><th>Өңір</th><th>2019</th><th>2020</th><th>Өсу, %</th></tr>";
        for (int r = 0; r < 6; ++r)
            html +=
                "<tr><td>Қарағанды облысы</td><td>1 376,9</td><td>1 375,9</td><td>99,9</td></tr>";
        html += "</table>\n<ul><li>Жиынтық</li><li>Белгі</li><li>Көрсеткіш</li></ul>\n";
    }
    return html + "</body></html>";
}

void BM_HtmlOpenLayoutAndPaintFirstScreen(benchmark::State& state) {
    UseHeadlessBackend(1280, 1024);
    char pattern[] = "/tmp/htmlview-bench-XXXXXX";
    if (!mkdtemp(pattern)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string path = std::string(pattern) + "/course.htm";
    std::ofstream(path, std::ios::binary) << CourseDocument();
    WNDCLASS wc;
    wc.lpszClassName = "HtmlBenchHost";
    wc.lpfnWndProc = DefWindowProc;
    RegisterClass(wc);
    HWND host = CreateWindowEx(0, "HtmlBenchHost", "", WS_POPUP | WS_VISIBLE, 0, 0, 900, 700,
                               nullptr, nullptr, nullptr, nullptr);
    std::unique_ptr<THtmlView> view = THtmlView::Create(host, Rect(0, 0, 900, 700), 1);
    for (auto _ : state) {
        view->Navigate(path);
        ProcessPendingMessages(); // reads, decodes, parses, lays out and paints
        UpdateWindow(host);
    }
    state.counters["bytes"] = double(std::filesystem::file_size(path));
    view.reset();
    DestroyWindow(host);
    ProcessPendingMessages();
    std::filesystem::remove_all(pattern);
}
BENCHMARK(BM_HtmlOpenLayoutAndPaintFirstScreen)->Unit(benchmark::kMillisecond);

} // namespace
