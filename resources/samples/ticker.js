// Brisvane Viraraz sample script: a scrolling ticker for published pages.
//
// Any element with the attribute data-ticker scrolls its text from right to
// left. Rows of a table whose value cell is empty (a marker the station does
// not know stays an invisible HTML comment) are hidden, so one page serves
// every station model. Nothing is loaded from elsewhere.
(function () {
  "use strict";

  function hideEmptyRows() {
    document.querySelectorAll("table tr").forEach(function (row) {
      var value = row.querySelector("td");
      if (value && value.textContent.trim() === "") row.hidden = true;
    });
    document.querySelectorAll("section").forEach(function (section) {
      var rows = section.querySelectorAll("tr");
      var shown = Array.prototype.some.call(rows, function (row) { return !row.hidden; });
      if (rows.length > 0 && !shown) section.hidden = true;
    });
  }

  function startTicker(element) {
    var text = element.textContent.replace(/\s+/g, " ").trim();
    element.textContent = "";
    element.style.overflow = "hidden";
    element.style.whiteSpace = "nowrap";
    element.style.padding = element.style.padding || "0.4rem 0";
    var band = document.createElement("span");
    band.textContent = text;
    band.style.display = "inline-block";
    band.style.willChange = "transform";
    element.appendChild(band);
    if (window.matchMedia && window.matchMedia("(prefers-reduced-motion: reduce)").matches) {
      band.style.paddingLeft = "1rem";
      return;
    }
    var speed = 60; // pixels a second
    var x = element.clientWidth;
    var last = null;
    function step(now) {
      if (last !== null) x -= speed * (now - last) / 1000;
      last = now;
      if (x < -band.offsetWidth) x = element.clientWidth;
      band.style.transform = "translateX(" + x + "px)";
      window.requestAnimationFrame(step);
    }
    window.requestAnimationFrame(step);
  }

  function start() {
    hideEmptyRows();
    document.querySelectorAll("[data-ticker]").forEach(startTicker);
  }

  if (document.readyState === "loading") document.addEventListener("DOMContentLoaded", start);
  else start();
})();
