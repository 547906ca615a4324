/*
 * uygulama.js - the logged-in application shell: header, main menu, page switch
 * and the safe logout.
 */
(function (window, document) {
    "use strict";

    var MENU_CLASS = "csc-rospan csc-title cursor-pointer iv-app-menu-item csc-title-selected";

    /* Main menu items in their order; the id of item k is gen__(1101 + k). */
    var MENU = [
        {text: "Mükellef Dosyası", icon: "dosya"},
        {text: "E-Tebligat İşlemleri", icon: "tebligat", page: "tebligat"},
        {text: "E-Beyanname Yetki Bilgileri", icon: "yetki"},
        {text: "E-Vergi Levhası", icon: "levha"},
        {text: "Vergi Kimlik Numarası ile SGK Sicil Numarası Birleştirmesine İlişkin Bildirimler", icon: "sgk"},
        {text: "Borç Durumu Sorgulama", icon: "borc"}
    ];

    function content() {
        return document.getElementById("gen__1016");
    }

    function breadcrumb(text) {
        var b = document.getElementById("gen__1015");
        CSC.clear(b);
        b.appendChild(CSC.el("span", [["class", "csc-crumb"]], ["Ana Sayfa"]));
        if (text) {
            b.appendChild(CSC.el("span", [["class", "csc-crumb-sep"]], ["›"]));
            b.appendChild(CSC.el("span", [["class", "csc-crumb csc-crumb-current"]], [text]));
        }
    }

    function homePage() {
        var cfg = CSC.config();
        var c = content();
        CSC.clear(c);
        breadcrumb("");
        c.appendChild(CSC.el("div", [["class", "csc-page"]], [
            CSC.el("h2", [["class", "csc-page-title"]], ["Hoş geldiniz"]),
            CSC.el("p", [], ["Soldaki menüden yapmak istediğiniz işlemi seçiniz."]),
            CSC.el("div", [["class", "csc-panel"]], [
                CSC.el("div", [["class", "csc-panel-title"]], ["Oturum Bilgileri"]),
                CSC.el("table", [["class", "csc-info-table"]], [
                    CSC.el("tbody", [], [
                        CSC.el("tr", [], [CSC.el("th", [], ["Kullanıcı"]), CSC.el("td", [], [cfg.kullanici || ""])]),
                        CSC.el("tr", [], [CSC.el("th", [], ["Unvan"]), CSC.el("td", [], [cfg.unvan || ""])]),
                        CSC.el("tr", [], [CSC.el("th", [], ["Giriş Zamanı"]), CSC.el("td", [], [cfg.girisZamani || ""])])
                    ])
                ])
            ])
        ]));
    }

    function otherPage(item) {
        var c = content();
        CSC.clear(c);
        breadcrumb(item.text);
        c.appendChild(CSC.el("div", [["class", "csc-page"]], [
            CSC.el("h2", [["class", "csc-page-title"]], [item.text]),
            CSC.el("div", [["class", "csc-notice"]], ["Bu işlem eğitim ortamında henüz hazırlanmamıştır."])
        ]));
    }

    function openItem(k, elementId) {
        var item = MENU[k];
        CSC.api("POST", "/api/menu", {}, {item: item.text, elementId: elementId || ""})["catch"](function () {});
        if (item.page === "tebligat") {
            breadcrumb(item.text);
            window.Tebligat.show(content());
        } else {
            otherPage(item);
        }
    }

    function menuItem(k) {
        var item = MENU[k];
        var title = CSC.el("span", [["id", CSC.genId(1101 + k)], ["class", MENU_CLASS]], [item.text]);
        var row = CSC.el("div", [["class", "csc-menu-row"], ["data-menu", k]], [
            CSC.el("span", [["class", "csc-menu-icon csc-icon-" + item.icon]]),
            title
        ]);
        row.addEventListener("click", function (event) {
            openItem(k, event.target && event.target.id ? event.target.id : "");
        });
        return row;
    }

    function buildMenu() {
        var menu = document.getElementById("gen__1013");
        var delays = CSC.config().menuDelayMs || {};
        MENU.forEach(function (item, k) {
            var slot = CSC.el("div", [["class", "csc-menu-group"]]);
            var ms = CSC.delay(delays, item.text);
            menu.appendChild(slot);
            if (ms > 0) {
                window.setTimeout(function () {
                    slot.appendChild(menuItem(k));
                }, ms);
            } else {
                slot.appendChild(menuItem(k));
            }
        });
    }

    function logout() {
        CSC.request("POST", "/api/cikis?token=" + encodeURIComponent(CSC.config().token), {}).then(function (answer) {
            window.location.href = answer.adres || "/";
        }, function () {
            window.location.href = "/";
        });
    }

    document.addEventListener("DOMContentLoaded", function () {
        var cfg = CSC.config();
        var alerts = cfg.pageAlerts || {};
        document.getElementById("gen__1006").appendChild(document.createTextNode(cfg.kullanici || ""));
        document.getElementById("gen__1010").addEventListener("click", logout);
        buildMenu();
        homePage();
        if (alerts.uygulama) {
            window.setTimeout(function () {
                window.alert(alerts.uygulama);
            }, 0);
        }
    });
}(window, document));
