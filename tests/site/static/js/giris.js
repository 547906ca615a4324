/*
 * giris.js - the login page: the two login forms, their page functions giris()
 * and girisTckn(), and the tab switch between them.
 */
(function (window, document) {
    "use strict";

    function value(id) {
        var e = document.getElementById(id);
        return e ? e.value : "";
    }

    /* The captcha id held by the frame of a form ("" when the page has no captcha). */
    function captchaId(frameId) {
        var frame = document.getElementById(frameId), cid;
        if (!frame) {
            return "";
        }
        try {
            cid = frame.contentDocument.getElementById("cid");
            return cid ? cid.value : "";
        } catch (e) {
            return "";
        }
    }

    function send(url, data) {
        var button = document.querySelector(".csc-login-form-active .csc-button-primary");
        if (button) {
            button.disabled = true;
        }
        CSC.request("POST", url, data).then(function (answer) {
            if (button) {
                button.disabled = false;
            }
            if (answer.ok && answer.adres) {
                window.location.href = answer.adres;
            } else {
                window.alert(answer.mesaj || "Giriş yapılamadı.");
            }
        }, function (error) {
            if (button) {
                button.disabled = false;
            }
            window.alert(error.message);
        });
    }

    window.giris = function () {
        var data = {
            kullaniciKodu: value("kullaniciKodu"),
            parola: value("parola"),
            sifre: value("sifre")
        };
        if (document.getElementById("dkKKODU")) {
            data.dkKKODU = value("dkKKODU");
            data.cid = captchaId("captchaKKODU");
        }
        send("/giris", data);
    };

    window.girisTckn = function () {
        var data = {
            tc: value("tc"),
            gun: value("gun"),
            ay: value("ay"),
            yil: value("yil"),
            ak1: value("ak1"),
            ak2: value("ak2"),
            tcYakin: value("tcYakin")
        };
        if (document.getElementById("dkTCKN")) {
            data.dkTCKN = value("dkTCKN");
            data.cid = captchaId("captchaTCKN");
        }
        send("/giris/tckn", data);
    };

    function showTab(name) {
        var tabs = document.querySelectorAll(".csc-login-tab"), i;
        for (i = 0; i < tabs.length; i++) {
            tabs[i].className = "csc-login-tab" + (tabs[i].getAttribute("data-tab") === name ? " csc-login-tab-active" : "");
        }
        document.getElementById("panelKKODU").className = "csc-login-form" + (name === "kkodu" ? " csc-login-form-active" : "");
        document.getElementById("panelTCKN").className = "csc-login-form" + (name === "tckn" ? " csc-login-form-active" : "");
    }

    document.addEventListener("DOMContentLoaded", function () {
        var tabs = document.querySelectorAll(".csc-login-tab"), i, alertText;
        for (i = 0; i < tabs.length; i++) {
            tabs[i].addEventListener("click", function () {
                showTab(this.getAttribute("data-tab"));
            });
        }
        alertText = document.body.getAttribute("data-alert");
        if (alertText) {
            window.setTimeout(function () {
                window.alert(alertText);
            }, 0);
        }
    });
}(window, document));
