// Turning section XHTML into words: the converter alone on in-memory pages,
// and loadSectionText through the mounted demo archives (zip reading included).
// Each benchmark reports the median time per section as "median_us".
#include "app/message_queue.h"
#include "book/section_text.h"
#include "fs/vfs.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace {

struct Page {
    std::string code, name, bytes;
};

// A section like the books' own: heading, paragraphs, styled words, a footnote,
// an illustration, a combat and three choices.
std::string snippetSection() {
    std::string s = "<html><head><title>Section 99</title></head><body>\n<div id=\"body\">\n"
                    "<h3><a id=\"sect99\">99</a></h3>\n";
    for (int p = 0; p < 6; ++p) {
        s += "<p>";
        for (int w = 0; w < 45; ++w)
            s += w % 9 == 4 ? "<i>shadowed</i> " : "stonework ";
        s += "you said--nothing<a href=\"footnotz.htm#f1\">1</a>.</p>\n";
    }
    s += "<div class=\"illustration\"><img alt=\"illustration\" src=\"ill3.png\" /></div>\n"
         "<p class=\"combat\">Ash Wraith: COMBAT SKILL 17 &nbsp; ENDURANCE 22</p>\n";
    for (int c = 0; c < 3; ++c)
        s += "<p class=\"choice\">If you wish to go on, <a href=\"sect2.htm\">turn to 2</a>.</p>\n";
    s += "<p class=\"copyright\">Copyright.</p>\n</div></body></html>\n";
    return s;
}

std::vector<Page> demoPages() {
    std::vector<Page> pages;
    vfsDeinit();
    if (!vfsInit("bench")) return pages;
    const char* codes[2][2] = {{"1", "01ftak"}, {"2", "02tdboh"}};
    for (auto& book : codes) {
        std::string code = book[1];
        std::string zip =
            std::string(QH_BUILD_DIR) + "/data/books/book" + book[0] + "/" + code + ".zip";
        if (!vfsMount(zip, code)) continue;
        std::string folder = code + "/en/xhtml/gs/" + code;
        for (const std::string& file : vfsList(folder)) {
            if (file.compare(0, 4, "sect") != 0) continue;
            Page page{code, file.substr(0, file.find('.')), ""};
            vfsReadAll(folder + "/" + file, page.bytes);
            pages.push_back(page);
        }
    }
    return pages;
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <class Convert>
void timePages(benchmark::State& state, const std::vector<Page>& pages, Convert convert) {
    if (pages.empty()) {
        state.SkipWithError("no pages (build the demo books first)");
        return;
    }
    std::vector<std::vector<double>> perPage(pages.size());
    for (auto _ : state) {
        for (size_t i = 0; i < pages.size(); ++i) {
            auto start = std::chrono::steady_clock::now();
            convert(pages[i]);
            std::chrono::duration<double, std::micro> took =
                std::chrono::steady_clock::now() - start;
            perPage[i].push_back(took.count());
        }
    }
    std::vector<double> medians;
    for (auto& times : perPage)
        medians.push_back(median(times));
    state.counters["median_us"] = median(medians);
    state.counters["sections"] = static_cast<double>(pages.size());
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(pages.size()));
}

} // namespace

static void BM_ConvertSnippet(benchmark::State& state) {
    std::vector<Page> pages{{"", "sect99", snippetSection()}};
    timePages(state, pages, [](const Page& p) {
        DataFile file = openMemoryRead(p.bytes, p.name + ".htm");
        std::vector<PageWord> words;
        convertSectionText(file, p.name, words);
        benchmark::DoNotOptimize(words.data());
    });
}
BENCHMARK(BM_ConvertSnippet);

static void BM_ConvertDemoSections(benchmark::State& state) {
    std::vector<Page> pages = demoPages();
    timePages(state, pages, [](const Page& p) {
        DataFile file = openMemoryRead(p.bytes, p.name + ".htm");
        std::vector<PageWord> words;
        convertSectionText(file, p.name, words);
        benchmark::DoNotOptimize(words.data());
    });
}
BENCHMARK(BM_ConvertDemoSections);

static void BM_LoadDemoSections(benchmark::State& state) {
    std::vector<Page> pages = demoPages();
    MessageQueue messages;
    timePages(state, pages, [&messages](const Page& p) {
        SectionPage page;
        page.bookCode = p.code;
        loadSectionText(page, p.name, messages);
        benchmark::DoNotOptimize(page.words.data());
    });
}
BENCHMARK(BM_LoadDemoSections);

BENCHMARK_MAIN();
