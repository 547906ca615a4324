/*
 * tebligat.js - the e-notification pages: the notification list, envelopes and
 * their pop-ups, the tables of the notified documents and their downloads.
 *
 * Ids: envelope image of notification i gen__(2006 + 10 i), its document table
 * gen__(5000 + 10 i) and download image gen__(5008 + 10 i); pop-ups gen__13NN.
 */
(function (window, document) {
    "use strict";

    var LIST_HEADERS = ["No", "Gönderen Birim", "Tebliğ Edilen Belge Türü", "Belge No", "Gönderme Tarihi",
                        "Tebliğ Tarihi", "Zarf", "Okunma Tarihi", "Durum"];
    var DOC_HEADERS = ["Vergi Dairesi", "Tebliğ Edilen Belge Türü", "Belge No", "Gönderme Tarihi", "Tebliğ Tarihi",
                       "Okunma Tarihi", "Dosya Adı", "Biçim", "İndir"];

    var state = {notifications: [], message: ""};
    var listHost = null;
    var detailHost = null;
    var confirmation = null;

    function headerRow(texts) {
        return CSC.el("tr", [["class", "csc-grid-header"]], texts.map(function (t) {
            return CSC.el("th", [["class", "csc-grid-hcell"]], [t]);
        }));
    }

    function cell(text, cls) {
        return CSC.el("td", [["class", cls || "csc-grid-cell"]], [text === undefined ? "" : text]);
    }

    function envelopeCell(n) {
        var td = CSC.el("td", [["class", "csc-grid-cell csc-grid-buttons"]]);
        var img;
        if (!n.zarf) {
            return td;
        }
        img = CSC.el("img", [["title", n.zarf], ["id", CSC.genId(2006 + 10 * n.sira)],
                             ["style", "width:20px;height:16px;cursor:pointer"],
                             ["src", n.zarf === "Zarf Aç" ? "/static/img/zarf-kapali.svg" : "/static/img/zarf-acik.svg"],
                             ["class", "csc-grid-image"], ["alt", ""]]);
        img.addEventListener("click", function () {
            envelopeClicked(n.sira, img.id);
        });
        td.appendChild(img);
        return td;
    }

    function renderList() {
        var table, body, rows = state.notifications;
        CSC.clear(listHost);
        table = CSC.el("table", [["id", "gen__1221"], ["class", "csc-grid"], ["cellspacing", "0"]]);
        table.appendChild(CSC.el("thead", [], [headerRow(LIST_HEADERS)]));
        body = CSC.el("tbody");
        if (!rows.length) {
            body.appendChild(CSC.el("tr", [["class", "csc-grid-row csc-grid-empty"]], [
                CSC.el("td", [["class", "csc-grid-cell"], ["colspan", "9"]], ["Kayıt bulunamadı."])
            ]));
        }
        rows.forEach(function (n, k) {
            body.appendChild(CSC.el("tr", [["class", "csc-grid-row" + (k % 2 ? " csc-grid-alt" : "")]], [
                cell(String(k + 1)),
                cell(n.gonderenBirim),
                cell(n.belgeTuru),
                cell(n.belgeNo),
                cell(n.gondermeTarihi),
                cell(n.tebligTarihi),
                envelopeCell(n),
                cell(n.okunmaTarihi),
                cell(!n.zarf ? "" : (n.zarf === "Zarf Aç" ? "Okunmadı" : "Okundu"))
            ]));
        });
        table.appendChild(body);
        table.appendChild(CSC.el("tfoot", [], [
            CSC.el("tr", [["class", "csc-grid-footer"]], [
                CSC.el("td", [["colspan", "9"], ["class", "csc-grid-pager"]], [
                    CSC.el("span", [["class", "csc-pager-info"]], [CSC.formatCount(rows.length)]),
                    CSC.el("span", [["class", "csc-pager-pages"]], ["Sayfa 1 / 1"])
                ])
            ])
        ]));
        listHost.appendChild(table);
    }

    function download(n, img) {
        var go = function () {
            window.location.href = n.belge.adres;
        };
        img.className = "csc-grid-image csc-busy";
        if (n.belge.gecikmeMs > 0) {
            window.setTimeout(go, n.belge.gecikmeMs);
        } else {
            go();
        }
    }

    function documentTable(n) {
        var img = CSC.el("img", [["title", "Belge İndir"], ["id", CSC.genId(5008 + 10 * n.sira)],
                                 ["style", "width:16px;height:16px;cursor:pointer"],
                                 ["src", "/static/img/belge-indir.svg"], ["class", "csc-grid-image"], ["alt", ""]]);
        img.addEventListener("click", function () {
            download(n, img);
        });
        return CSC.el("div", [["class", "csc-detail-block"]], [
            CSC.el("div", [["class", "csc-detail-title"]], [n.belgeTuru + " - " + n.belgeNo]),
            CSC.el("table", [["id", CSC.genId(5000 + 10 * n.sira)], ["class", "csc-grid"], ["cellspacing", "0"]], [
                CSC.el("thead", [], [headerRow(DOC_HEADERS)]),
                CSC.el("tbody", [], [
                    CSC.el("tr", [["class", "csc-grid-row"]], [
                        cell(n.vergiDairesi),
                        cell(n.belgeTuru),
                        cell(n.belgeNo),
                        cell(n.gondermeTarihi),
                        cell(n.tebligTarihi),
                        cell(n.okunmaTarihi),
                        cell(n.belge.dosyaAdi),
                        cell("PDF"),
                        CSC.el("td", [["class", "csc-grid-cell csc-grid-buttons"]], [img])
                    ])
                ])
            ])
        ]);
    }

    function renderDocuments() {
        var shown = state.notifications.filter(function (n) {
            return !!n.belge;
        });
        CSC.clear(detailHost);
        if (!shown.length) {
            return;
        }
        detailHost.appendChild(CSC.el("div", [["class", "csc-panel-title"]], ["Tebliğ Edilen Belgeler"]));
        shown.forEach(function (n) {
            detailHost.appendChild(documentTable(n));
        });
    }

    function refresh() {
        return CSC.api("GET", "/api/tebligat/liste").then(function (data) {
            state.notifications = data.bildirimler || [];
            state.message = data.mesaj || "";
            renderList();
            renderDocuments();
        });
    }

    function successPopup() {
        CSC.popup({
            id: "gen__1320",
            cls: "cs-popup-window iv",
            title: "Başarılı",
            message: "Zarf açma işlemi başarıyla tamamlandı. Tebliğ edilen belgeyi aşağıdaki listeden indirebilirsiniz.",
            buttons: [{id: "gen__1321", value: "Tamam"}]
        });
    }

    function openEnvelope(i, elementId, withSuccess) {
        CSC.api("POST", "/api/tebligat/zarf", {sira: i, eleman: elementId}, {}).then(function (answer) {
            if (!answer.ok) {
                window.alert(answer.mesaj || "Zarf açılamadı.");
                return;
            }
            return refresh().then(function () {
                var ms = CSC.config().successPopupDelayMs || 0;
                if (!withSuccess) {
                    return;
                }
                if (ms > 0) {
                    window.setTimeout(successPopup, ms);
                } else {
                    successPopup();
                }
            });
        })["catch"](function () {});
    }

    function confirmationPopup(i, elementId) {
        if (confirmation) {
            confirmation.close();
        }
        confirmation = CSC.popup({
            id: "gen__1310",
            cls: "cs-popup-window iv undefined",
            title: "Uyarı",
            message: "Zarfı açmanız halinde ilgili belge tarafınıza tebliğ edilmiş sayılacak ve okuma işlemine dair " +
                     "delil oluşturulacaktır. Devam etmek istiyor musunuz?",
            buttons: [
                {id: "gen__1311", value: "Kabul Et ve Oku", onClick: function () {
                    openEnvelope(i, elementId, true);
                }},
                {id: "gen__1312", value: "Vazgeç"}
            ]
        });
    }

    function envelopeClicked(i, elementId) {
        var n = state.notifications[i];
        var ms = CSC.config().confirmationDelayMs || 0;
        if (!n) {
            return;
        }
        if (n.zarf !== "Zarf Aç") {
            openEnvelope(i, elementId, false);
        } else if (n.onay) {
            if (ms > 0) {
                window.setTimeout(function () {
                    confirmationPopup(i, elementId);
                }, ms);
            } else {
                confirmationPopup(i, elementId);
            }
        } else {
            openEnvelope(i, elementId, true);
        }
    }

    function messagePopup() {
        var cfg = CSC.config();
        var buttons = cfg.messagePopupTamam === false ? [] : [{id: "gen__1301", value: "Tamam"}];
        CSC.popup({id: "gen__1300", cls: "cs-popup-window iv", title: "Mesaj", message: state.message,
                   buttons: buttons});
    }

    function tab(id, text, selected) {
        return CSC.el("div", [["class", "csc-tab" + (selected ? " csc-tab-selected" : "")]], [
            CSC.el("span", [["id", id], ["class", "csc-tab-title"]], [text])
        ]);
    }

    function delayed(parent, key, build) {
        var ms = CSC.delay(CSC.config().elementDelayMs, key);
        if (ms > 0) {
            window.setTimeout(function () {
                parent.appendChild(build());
            }, ms);
        } else {
            parent.appendChild(build());
        }
    }

    /* Shows the e-notification page inside the given container. */
    function show(container) {
        var cfg = CSC.config();
        var tabs = CSC.el("div", [["id", "gen__1201"], ["class", "csc-tabstrip"]]);
        var filter = CSC.el("div", [["id", "gen__1210"], ["class", "csc-filter"]], [
            CSC.el("span", [["class", "csc-label"]], ["Tebliğ Tarihi"]),
            CSC.el("input", [["type", "text"], ["id", "gen__1211"], ["class", "csc-textbox csc-date"], ["value", ""]]),
            CSC.el("span", [["class", "csc-label"]], ["-"]),
            CSC.el("input", [["type", "text"], ["id", "gen__1212"], ["class", "csc-textbox csc-date"], ["value", ""]]),
            CSC.el("input", [["type", "button"], ["id", "gen__1213"], ["class", "csc-button"], ["value", "Sorgula"]])
        ]);
        listHost = CSC.el("div", [["id", "gen__1220"], ["class", "csc-grid-wrap"]]);
        detailHost = CSC.el("div", [["id", "gen__1230"], ["class", "csc-detail-wrap"]]);
        confirmation = null;
        CSC.clear(container);
        container.appendChild(CSC.el("div", [["id", "gen__1200"], ["class", "csc-page"]], [
            CSC.el("h2", [["class", "csc-page-title"]], ["E-Tebligat İşlemleri"]),
            tabs, filter, listHost, detailHost
        ]));
        tabs.appendChild(tab("gen__1202", "Okunmamış Tebligatlar", true));
        delayed(tabs, "Okunan Tebligatlar", function () {
            return tab("gen__1203", "Okunan Tebligatlar", false);
        });
        tabs.appendChild(tab("gen__1204", "Tüm Tebligatlar", false));
        tabs.appendChild(tab("gen__1205", "E-Tebligat Adres Bilgileri", false));

        var ms = CSC.delay(cfg.elementDelayMs, "tebligatListesi");
        window.setTimeout(function () {
            refresh().then(function () {
                if (cfg.messagePopup) {
                    messagePopup();
                }
                if (cfg.pageAlerts && cfg.pageAlerts.tebligat) {
                    window.alert(cfg.pageAlerts.tebligat);
                }
            })["catch"](function () {});
        }, ms);
    }

    window.Tebligat = {show: show, refresh: refresh};
}(window, document));
