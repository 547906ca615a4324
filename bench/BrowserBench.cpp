// Speed of the reading view on generated pages in headless Chromium: a search over a
// 5,000-element page, the copy of a 1,000-row notification table, an element walk that
// matches nothing, and, for comparison, a naive reading with one round trip per property.
#include "BrowserTestKit.h"
#include "browser/TableReading.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace etb;
using namespace etb::test;

namespace {

Harness* g = nullptr;

QByteArray elementsPage() {
    QByteArray body;
    for (int i = 0; i < 1000; ++i)   // 5 elements per row
        body += "<div class=\"row\"><span id=\"s" + QByteArray::number(i) + "\">Metin " + QByteArray::number(i) +
                "</span><a>Bağlantı</a><b>kalın</b><i>eğik</i></div>";
    return "<!doctype html><html><head><meta charset=\"utf-8\"></head><body>" + body + "</body></html>";
}

QByteArray tablePage() {
    QByteArray rows = "<tr><td>Gönderen</td><td>Gönderme</td><td>Tebliğ</td><td>Tür</td><td>No</td><td>Durum</td>"
                      "<td>Zarf</td><td>Boş</td><td>İçerik</td></tr>";
    for (int i = 0; i < 1000; ++i) {
        const QByteArray n = QByteArray::number(i);
        rows += "<tr><td>Vergi Dairesi " + n + "</td><td>01.03.2024</td><td>06.03.2024</td><td>İhbarname</td><td>B-" +
                n + "</td><td></td><td><img title=\"Zarf Aç\" id=\"gen__" + n +
                "\" style=\"width:16px\"></td><td></td><td><img title=\"Zarf İçeriği Gör\" id=\"gen__x" + n +
                "\" style=\"width:16px\"></td></tr>";
    }
    return "<!doctype html><html><head><meta charset=\"utf-8\"></head><body><table>" + rows + "</table></body></html>";
}

void show(const char* path, const QByteArray& html) {
    g->server.setPage(QString::fromLatin1(path), html);
    if (!g->loadWeb(g->server.url(QString::fromLatin1(path))))
        qFatal("page did not load");
}

void BM_ElemanAra_5000Elements(benchmark::State& state) {
    show("/elements.html", elementsPage());
    for (auto _ : state)
        benchmark::DoNotOptimize(g->session.fn_ElemanAra(QStringLiteral("E-Tebligat İşlemleri"), kMenuClass));
}
BENCHMARK(BM_ElemanAra_5000Elements)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ElemanBulTikla_5000ElementsNoMatch(benchmark::State& state) {
    show("/elements.html", elementsPage());
    for (auto _ : state)
        benchmark::DoNotOptimize(
            g->session.fn_ElemanBulTikla(QStringLiteral("Zarf"), QStringLiteral("yok"), QStringLiteral("A"), false));
}
BENCHMARK(BM_ElemanBulTikla_5000ElementsNoMatch)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_NotificationTable_1000x9(benchmark::State& state) {
    show("/table.html", tablePage());
    int rows = 0;
    const TableReader reader{CellRule::TebligatList, false, {}, [&rows](Session& s) { rows = s.SGrd.rowCount(); }};
    for (auto _ : state)
        pr_TablolariTara(g->session, reader);
    if (rows != 1001 || g->session.SGrd.cell(6, 1000) != QStringLiteral("gen__999"))
        state.SkipWithError("table not copied as expected");
}
BENCHMARK(BM_NotificationTable_1000x9)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The old way: every property of every element is one round trip to the page.
void BM_NaiveOneRoundTripPerProperty_5000Elements(benchmark::State& state) {
    show("/elements.html", elementsPage());
    QWebEnginePage* page = g->views.webView()->page();
    for (auto _ : state) {
        const int n = evalIn(page, QStringLiteral("document.all.length")).toInt();
        int found = 0;
        for (int i = 0; i < n; ++i) {
            const QString id = evalIn(page, QStringLiteral("document.all[%1].id").arg(i)).toString();
            const QString text = evalIn(page, QStringLiteral("document.all[%1].innerText").arg(i)).toString();
            found += id == QLatin1String("E-Tebligat İşlemleri") || text == QLatin1String("E-Tebligat İşlemleri");
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_NaiveOneRoundTripPerProperty_5000Elements)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    g = new Harness;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete g;
    return 0;
}
