// Draws the results menu of the page's sex from tabMnu: an entry flagged "yes" or "no" opens a
// new column, an entry with an empty flag goes under the previous one. The flag is the last
// element (headings and links have three, events four). Without a menu nothing is drawn.
function qvEchapper(t) {
  return String(t).replace(/&(?!nbsp;)/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;");
}

function qvDessinerMenu() {
  if (typeof tabMnu === "undefined" || !tabMnu || tabMnu.length === 0) {
    return;
  }
  var colonnes = [];
  for (var i = 0; i < tabMnu.length; i++) {
    var e = tabMnu[i];
    if (!e || e.length < 3) {
      continue;
    }
    var drapeau = e[e.length - 1];
    var lien = e[1];
    var texte = qvEchapper(e[0]);
    var classe = i === 0 ? "mnuTitre" : (drapeau === "yes" ? "mnuSection" : "mnuEntree");
    var html = (lien && String(lien).replace(/\s/g, "") !== "")
      ? '<a class="' + classe + '" href="' + encodeURI(lien) + '">' + texte + "</a>"
      : '<span class="' + classe + '">' + texte + "</span>";
    if (drapeau !== "" || colonnes.length === 0) {
      colonnes.push([html]);
    } else {
      colonnes[colonnes.length - 1].push(html);
    }
  }
  var s = '<table class="mnu" id="qvMenu"><tr>';
  for (var c = 0; c < colonnes.length; c++) {
    s += '<td class="mnuCol">' + colonnes[c].join("<br>") + "</td>";
  }
  s += "</tr></table>";
  document.write(s);
}

qvDessinerMenu();
