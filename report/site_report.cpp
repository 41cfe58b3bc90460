#include "report/site_report.h"

#include <set>

#include "report/archive_chart.h"
#include "report/events_per_day.h"
#include "report/html_text.h"
#include "report/report_assets.h"

namespace tarvex {
namespace {

std::string Fact(const char* name, const std::string& value) {
  return "<dt>" + std::string(name) + "</dt><dd>" + HtmlText(value) + "</dd>\n";
}

// "180 to 679" of the indexes read, or "none".
std::string Span(std::size_t count, std::int32_t first, std::int32_t last) {
  if (count == 0) return "no records";
  return std::to_string(count) + " records, index " + std::to_string(first) + " to " + std::to_string(last);
}

std::string Header(const SiteReport& report) {
  std::string html = "<header>\n<h1>Site report: controller " + HtmlText(report.identifier) +
                     "</h1>\n<dl class=\"facts\">\n" + Fact("Identifier", report.identifier) +
                     Fact("Pressure", report.pressure) + Fact("Port", report.port) + Fact("Date", report.made) +
                     Fact("Tool", "tarvex-cli " + report.version);
  const auto& e = report.events;
  const auto& a = report.archive;
  html += Fact("Event log", Span(e.size(), e.empty() ? 0 : e.front().index, e.empty() ? 0 : e.back().index));
  html += Fact("Archive", Span(a.size(), a.empty() ? 0 : a.front().index, a.empty() ? 0 : a.back().index));
  html += "</dl>\n";
  if (!report.failure.empty()) html += "<p class=\"failure\">Incomplete: " + HtmlText(report.failure) + "</p>\n";
  return html + "</header>\n";
}

std::string Filter(const std::vector<LogEntry>& events) {
  std::set<std::string> kinds;
  for (const LogEntry& entry : events) kinds.insert(entry.kind);
  std::string html =
      "<form id=\"filter\">\n<label>Text <input type=\"search\" id=\"f-text\"></label>\n"
      "<label>Kind <select id=\"f-kind\"><option value=\"\">all</option>";
  for (const std::string& kind : kinds) {
    html += "<option value=\"" + HtmlText(kind) + "\">" + (kind.empty() ? "(none)" : HtmlText(kind)) + "</option>";
  }
  return html +
         "</select></label>\n<label>From <input type=\"date\" id=\"f-from\"></label>\n"
         "<label>To <input type=\"date\" id=\"f-to\"></label>\n<output id=\"f-count\">" +
         std::to_string(events.size()) + " of " + std::to_string(events.size()) + " events</output>\n</form>\n";
}

std::string EventTable(const std::vector<LogEntry>& events) {
  std::string html =
      "<table id=\"events\">\n<thead><tr><th>Index</th><th>Time</th><th>Kind</th><th>Text</th></tr></thead>\n"
      "<tbody>\n";
  for (const LogEntry& entry : events) {
    html += "<tr data-kind=\"" + HtmlText(entry.kind) + "\" data-day=\"" +
            (entry.dated ? entry.time.substr(0, 10) : std::string()) + "\"><td class=\"index\">" +
            std::to_string(entry.index) + "</td><td class=\"time\">" + HtmlText(entry.time) + "</td><td>" +
            HtmlText(entry.kind) + "</td><td class=\"text\">" + HtmlText(entry.text);
    if (!entry.line.empty()) html += "<div class=\"shown-as\">shown as: " + HtmlText(entry.line) + "</div>";
    html += "</td></tr>\n";
  }
  return html + "</tbody>\n</table>\n";
}

}  // namespace

std::string SiteReportHtml(const SiteReport& report) {
  return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>Site report: controller " +
         HtmlText(report.identifier) + ", " + HtmlText(report.made) + "</title>\n<style>" + kReportStyle +
         "</style>\n</head>\n<body>\n" + Header(report) +
         "<section class=\"chart-section\">\n<h2>Archive</h2>\n" + ArchiveChartSvg(report.archive) +
         "<p class=\"note\">A dot per record; shaded: records missing.</p>\n</section>\n"
         "<section class=\"chart-section\">\n<h2>Events per day</h2>\n" + EventsPerDaySvg(report.events) +
         "</section>\n<section>\n<h2>Event log</h2>\n" + Filter(report.events) + EventTable(report.events) +
         "</section>\n<script>" + kReportScript + "</script>\n</body>\n</html>\n";
}

}  // namespace tarvex
