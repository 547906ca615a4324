/*
 * csc-core.js - small widget toolkit of the application pages: element builder,
 * server calls, pop-up windows. Element ids are given by the pages ("gen__NNNN")
 * and depend only on what is shown, so every copy of a page numbers alike.
 */
(function (window, document) {
    "use strict";

    var CSC = window.CSC = window.CSC || {};

    /* el("img", [["title", "Zarf Aç"], ["id", "gen__2006"]], [children...])
       Attributes are set in the order given; children may be nodes or texts. */
    CSC.el = function (tag, attrs, children) {
        var node = document.createElement(tag), i;
        attrs = attrs || [];
        for (i = 0; i < attrs.length; i++) {
            if (attrs[i][1] !== undefined && attrs[i][1] !== null) {
                node.setAttribute(attrs[i][0], String(attrs[i][1]));
            }
        }
        children = children || [];
        for (i = 0; i < children.length; i++) {
            if (children[i] === null || children[i] === undefined) {
                continue;
            }
            node.appendChild(typeof children[i] === "object" ? children[i] : document.createTextNode(String(children[i])));
        }
        return node;
    };

    CSC.genId = function (n) {
        return "gen__" + n;
    };

    CSC.clear = function (node) {
        while (node && node.firstChild) {
            node.removeChild(node.firstChild);
        }
    };

    CSC.param = function (name) {
        var query = window.location.search.replace(/^\?/, "").split("&"), i, pair;
        for (i = 0; i < query.length; i++) {
            pair = query[i].split("=");
            if (decodeURIComponent(pair[0]) === name) {
                return decodeURIComponent((pair[1] || "").replace(/\+/g, " "));
            }
        }
        return "";
    };

    CSC.config = function () {
        return window.CSC_CONFIG || {};
    };

    CSC.delay = function (table, key) {
        var ms = table && table[key];
        return typeof ms === "number" && ms > 0 ? ms : 0;
    };

    /* Calls the server; resolves with the answer's JSON (status in ._status). */
    CSC.request = function (method, url, body) {
        return new Promise(function (resolve, reject) {
            var xhr = new XMLHttpRequest();
            xhr.open(method, url, true);
            xhr.setRequestHeader("Accept", "application/json");
            if (body !== undefined) {
                xhr.setRequestHeader("Content-Type", "application/json; charset=utf-8");
            }
            xhr.onload = function () {
                var data;
                try {
                    data = JSON.parse(xhr.responseText || "{}");
                } catch (e) {
                    data = {};
                }
                data._status = xhr.status;
                resolve(data);
            };
            xhr.onerror = function () {
                reject(new Error("Sunucu ile bağlantı kurulamadı."));
            };
            xhr.send(body === undefined ? null : JSON.stringify(body));
        });
    };

    /* A call of the logged-in application, carrying the session's token. */
    CSC.api = function (method, path, params, body) {
        var url = path + "?token=" + encodeURIComponent(CSC.config().token || CSC.param("token")), key;
        params = params || {};
        for (key in params) {
            if (Object.prototype.hasOwnProperty.call(params, key)) {
                url += "&" + encodeURIComponent(key) + "=" + encodeURIComponent(params[key]);
            }
        }
        return CSC.request(method, url, body).then(function (data) {
            if (data._status === 401) {
                window.alert(data.mesaj || "Oturumunuz sonlanmıştır.");
                window.location.href = "/";
                throw new Error("session ended");
            }
            return data;
        });
    };

    function popupLayer() {
        var layer = document.querySelector(".csc-popup-layer");
        if (!layer) {
            layer = CSC.el("div", [["class", "csc-popup-layer"]]);
            document.body.appendChild(layer);
        }
        return layer;
    }

    /* A pop-up window. Its text content is the title, the close mark "x" and the
       message run together; its buttons are inputs of class "csc-button".
       options: {id, cls, title, message, buttons: [{id, value, onClick}], onClose} */
    CSC.popup = function (options) {
        var mask = CSC.el("div", [["class", "cs-popup-mask"]]);
        var close = CSC.el("span", [["class", "cs-popup-close-btn"], ["title", "Kapat"]], ["x"]);
        var buttonBar = CSC.el("div", [["class", "cs-popup-buttons"]]);
        var win = CSC.el("div", [["id", options.id], ["class", options.cls || "cs-popup-window iv"],
                                 ["role", "dialog"]], [
            CSC.el("div", [["class", "cs-popup-header"]], [
                CSC.el("span", [["class", "cs-popup-title"]], [options.title]),
                close
            ]),
            CSC.el("div", [["class", "cs-popup-content"]], [
                CSC.el("div", [["class", "cs-popup-message"]], [options.message])
            ]),
            buttonBar
        ]);
        var popup = {window: win, mask: mask, closed: false};
        popup.close = function () {
            if (popup.closed) {
                return;
            }
            popup.closed = true;
            if (mask.parentNode) {
                mask.parentNode.removeChild(mask);
            }
            if (win.parentNode) {
                win.parentNode.removeChild(win);
            }
        };
        (options.buttons || []).forEach(function (b) {
            var input = CSC.el("input", [["type", "button"], ["id", b.id], ["class", "csc-button"], ["value", b.value]]);
            input.addEventListener("click", function () {
                popup.close();
                if (b.onClick) {
                    b.onClick();
                }
            });
            buttonBar.appendChild(input);
        });
        close.addEventListener("click", function () {
            popup.close();
            if (options.onClose) {
                options.onClose();
            }
        });
        popupLayer().appendChild(mask);
        popupLayer().appendChild(win);
        return popup;
    };

    CSC.formatCount = function (n) {
        return "Toplam " + n + " kayıt";
    };
}(window, document));
