/*
 * portal.js - the interactive tax office portal: login and logout.
 */
(function (window, document) {
    "use strict";

    function login() {
        var data = {
            kullaniciKodu: document.getElementById("gen__1056").value,
            sifre: document.getElementById("gen__1057").value
        };
        CSC.request("POST", "/portal/giris", data).then(function (answer) {
            if (answer.ok && answer.adres) {
                window.location.href = answer.adres;
            } else {
                window.alert(answer.mesaj || "Giriş yapılamadı.");
            }
        }, function (error) {
            window.alert(error.message);
        });
    }

    function logout() {
        var token = document.body.getAttribute("data-token") || CSC.param("token");
        CSC.request("POST", "/portal/cikis?token=" + encodeURIComponent(token), {}).then(function (answer) {
            window.location.href = answer.adres || "/";
        }, function () {
            window.location.href = "/";
        });
    }

    document.addEventListener("DOMContentLoaded", function () {
        var button = document.getElementById("gen__1064"), exit = document.getElementById("gen__1002");
        if (button) {
            button.addEventListener("click", login);
        }
        if (exit) {
            exit.addEventListener("click", logout);
        }
    });
}(window, document));
