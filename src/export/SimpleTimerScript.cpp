// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/SimpleTimerScript.h"

// The slide show of the photo-by-photo site. A running show loads the next
// photo's frameset every 4.5 seconds with a query string that tells the new
// bottom bar to go on; the four dots count the seconds of a period.
//
// Pages opened from disk may not read the address of their own top window
// (each file is its own origin), so a show that reads only that address would
// stop after one step. The show therefore also leaves its query in the
// window's session storage just before it moves on, and a bottom bar that
// cannot read the address takes it from there, once, and only when it was
// meant for this photo.
//
// Start and Random first clear a timer that still runs: the first photo's bar
// can start a show itself while a show that wrapped round also continues on it.

namespace Simple {

QString TimerScript()
{
    return QStringLiteral(R"js(// Tavrimolex 2005 photo viewer: slide show of the photo pages

var timerID = 0;
var timerIDprogress = 0;
var secprogress = 0;
var tStart = null;
var tphotonr = -1;
var tmaxphotonr = -1;
var tstopped = false;
var timerperiod = 4500;
var pathselectedimage = "../images/phslideslow_selected.jpg";
var pathunselectedimage = "../images/phslideslow_unselected.jpg";
var tslideshowtype = 1;
var slideshowkey = "tavrimolex.slideshow";

function UpdateTimer()
{
   if (tstopped)
      return;
   if (timerID)
   {
      clearTimeout(timerID);
      timerID = 0;
   }
   if (!tStart)
      tStart = new Date();
   timerID = setTimeout(UpdateTimer, timerperiod);
   if (tphotonr > -1)
   {
      var newphotonr = ++tphotonr;
      if (newphotonr > tmaxphotonr)
         newphotonr = 1;
      var query = "slideshow=1&slideshowtype=" + tslideshowtype + "&newphotonr=" + newphotonr + "&maxphotonr=" + tmaxphotonr;
      rememberslideshow("photo" + newphotonr, query);
      top.parent.location.href = "photo" + newphotonr + ".htm?" + query;
   }
}

function UpdateTimerProgress()
{
   if (tstopped)
      return;
   if (timerIDprogress)
   {
      clearTimeout(timerIDprogress);
      timerIDprogress = 0;
   }
   var form = document.forms[0];
   var dot;
   if (secprogress == 2)
      dot = form.progress2;
   else if (secprogress == 3)
      dot = form.progress3;
   else if (secprogress == 4)
      dot = form.progress4;
   else
      dot = form.progress1;
   if (dot)
      dot.src = pathselectedimage;
   secprogress++;
   timerIDprogress = setTimeout(UpdateTimerProgress, 1000);
}

function synchronizegui(started)
{
   var form = document.forms[0];
   form.start.disabled = started;
   form.stop.disabled = !started;
   form.first.disabled = started;
   form.last.disabled = started;
   form.next.disabled = started;
   form.previous.disabled = started;
   form.random.disabled = started;
   if (started)
   {
      form.progress1.src = pathunselectedimage;
      form.progress2.src = pathunselectedimage;
      form.progress3.src = pathunselectedimage;
      form.progress4.src = pathunselectedimage;
   }
}

function cleartimers()
{
   if (timerID)
      clearTimeout(timerID);
   if (timerIDprogress)
      clearTimeout(timerIDprogress);
   timerID = 0;
   timerIDprogress = 0;
}

function runslideshow(type, photonr, maxphotonr)
{
   cleartimers();
   tslideshowtype = type;
   tphotonr = photonr;
   tStart = new Date();
   tmaxphotonr = maxphotonr;
   tstopped = false;
   secprogress = 1;
   timerID = setTimeout(UpdateTimer, timerperiod);
   timerIDprogress = setTimeout(UpdateTimerProgress, 1000);
   synchronizegui(true);
}

function Start(photonr, maxphotonr)
{
   runslideshow(1, parseInt(photonr, 10), parseInt(maxphotonr, 10));
}

function Stop()
{
   cleartimers();
   tStart = null;
   tstopped = true;
   synchronizegui(false);
}

function Random(photonr, maxphotonr)
{
   var max = parseInt(maxphotonr, 10);
   runslideshow(2, Math.round(Math.random() * max) + 1, max);
}

function rememberslideshow(page, query)
{
   try
   {
      sessionStorage.setItem(slideshowkey, page + "?" + query);
   }
   catch (e)
   {
   }
}

// The query the window was loaded with; from disk, the one the show left.
function slideshowquery()
{
   var remembered = null;
   try
   {
      remembered = sessionStorage.getItem(slideshowkey);
      sessionStorage.removeItem(slideshowkey);
   }
   catch (e)
   {
   }
   try
   {
      var parts = String(top.parent.location.href).split("?");
      return parts.length == 2 ? parts[1] : "";
   }
   catch (e)
   {
   }
   if (!remembered)
      return "";
   var saved = remembered.split("?");
   var own = String(location.pathname).split("/").pop();
   if (saved.length != 2 || own != saved[0] + "_bottom.htm")
      return "";
   return saved[1];
}

function autostart_slideshow()
{
   var query = slideshowquery();
   if (query == "")
      return;
   var terms = query.split("&");
   if (terms.length < 4)
      return;
   var values = [];
   for (var i = 0; i < 4; i++)
   {
      var pair = terms[i].split("=");
      values.push(pair.length > 1 ? pair[1] : "");
   }
   var photonr = parseInt(values[2], 10);
   var maxphotonr = parseInt(values[3], 10);
   if (isNaN(photonr) || isNaN(maxphotonr) || maxphotonr < 1)
      return;
   tslideshowtype = values[1];
   if (values[1] == "1")
   {
      if (values[0] == "1")
         Start(photonr, maxphotonr);
   }
   else
      Random(photonr, maxphotonr);
}
)js");
}

} // namespace Simple
